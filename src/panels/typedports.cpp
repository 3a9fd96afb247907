#include "panels/typedports.h"

#include "common/settingsnames.h"

#include <QSettings>

namespace {

const QString key = QStringLiteral("typedPorts");

} // namespace

QStringList TypedPorts::remembered()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    return settings.value(key).toStringList();
}

void TypedPorts::remember(const QString &port)
{
    if (port.isEmpty())
        return;
    QStringList ports = remembered();
    ports.removeAll(port);
    ports.prepend(port);
    while (ports.size() > kept)
        ports.removeLast();
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    settings.setValue(key, ports);
}

QStringList TypedPorts::listWith(const QStringList &discovered)
{
    QStringList ports = remembered();
    for (const QString &port : discovered) {
        if (!ports.contains(port))
            ports.append(port);
    }
    return ports;
}
