#pragma once

#include <QObject>

// Swallows wheel events, so turning the wheel over a spin box or choice box
// while scrolling a panel never changes a value.
class WheelGuard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Installs one guard, owned by `root`, on every spin box and combo box under it.
    static void protectChildren(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
