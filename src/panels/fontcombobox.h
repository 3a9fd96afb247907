#pragma once

#include <QFontComboBox>

// A font choice whose drop-down list is as wide as the box and 400 pixels high.
class FontComboBox : public QFontComboBox
{
    Q_OBJECT
public:
    explicit FontComboBox(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
