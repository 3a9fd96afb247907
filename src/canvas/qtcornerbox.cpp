#include "canvas/qtcornerbox.h"

#include <QPainter>

QtCornerBox::QtCornerBox(QWidget *parent)
    : QWidget(parent)
{
}

void QtCornerBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, QColor(255, 255, 255, 255));
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    const QPoint centre = area.center();
    painter.drawLine(centre.x(), area.top(), centre.x(), area.bottom());
    painter.drawLine(area.left(), centre.y(), area.right(), centre.y());
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.drawLine(area.bottomRight(), area.bottomLeft());
}
