#pragma once

#include <QWidget>

// The square where the two rulers of the design view meet.
class QtCornerBox : public QWidget
{
    Q_OBJECT

public:
    explicit QtCornerBox(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
