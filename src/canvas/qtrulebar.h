#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

// A ruler along one edge of the design view, graduated in millimetres, with
// a red line where the pointer is.
class QtRuleBar : public QWidget
{
    Q_OBJECT

public:
    QtRuleBar(Qt::Orientation orientation, QWidget *parent);

    // Design units at the start and end; `maxSize` estimates label widths.
    // Does not repaint by itself.
    void setRange(double lower, double upper, double maxSize);
    // The pointer in the view's viewport coordinates.
    void updatePosition(const QPoint &pos);

    Qt::Orientation orientation() const { return mOrientation; }
    double lower() const { return mLower; }
    double upper() const { return mUpper; }
    double maxSize() const { return mMaxSize; }
    QPoint lastPos() const { return mLastPos; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation mOrientation;
    QPoint mLastPos;
    QColor mBackground{255, 255, 255, 255};
    double mLower = 0;
    double mUpper = 0;
    double mMaxSize = 0;
};
