#include "panels/wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

void WheelGuard::protectChildren(QWidget *root)
{
    auto *guard = new WheelGuard(root);
    for (QAbstractSpinBox *box : root->findChildren<QAbstractSpinBox *>())
        box->installEventFilter(guard);
    for (QComboBox *box : root->findChildren<QComboBox *>())
        box->installEventFilter(guard);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel)
        return true;
    return QObject::eventFilter(watched, event);
}
