#include "panels/fontcombobox.h"

#include <QAbstractItemView>
#include <QResizeEvent>
#include <QWheelEvent>

FontComboBox::FontComboBox(QWidget *parent)
    : QFontComboBox(parent)
{
}

void FontComboBox::resizeEvent(QResizeEvent *event)
{
    QFontComboBox::resizeEvent(event);
    view()->setFixedSize(event->size().width(), 400);
}

void FontComboBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
