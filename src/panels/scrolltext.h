#pragma once

#include <QFrame>

class QLabel;
class QPropertyAnimation;

// A status line whose new text scrolls in from below while the previous one
// scrolls out at the top.
class ScrollText : public QFrame
{
    Q_OBJECT
public:
    explicit ScrollText(QWidget *parent = nullptr);

    QString text() const;
    QLabel *oldLabel() const { return mOldLabel; }
    QLabel *newLabel() const { return mNewLabel; }
    QPropertyAnimation *oldAnimation() const { return mOldAnimation; }
    QPropertyAnimation *newAnimation() const { return mNewAnimation; }

public slots:
    void setText(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setAnimationGeometry();

    QLabel *mOldLabel;
    QLabel *mNewLabel;
    QPropertyAnimation *mOldAnimation;
    QPropertyAnimation *mNewAnimation;
};
