#pragma once

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// Helpers for tests that drive a panel's widgets by their object names.
namespace PanelFixture {

template <typename T>
T *child(QWidget *panel, const char *name)
{
    T *widget = panel->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

// Types a value and presses Enter, as the fields report only finished edits.
inline void enter(QDoubleSpinBox *spin, double value)
{
    spin->setFocus();
    spin->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(spin->findChild<QLineEdit *>(), QString::number(value));
    QTest::keyClick(spin->findChild<QLineEdit *>(), Qt::Key_Return);
}

} // namespace PanelFixture
