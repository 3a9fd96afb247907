#pragma once

#include <QStringList>

// Ports the user typed (a path the system does not list, or host:port) and
// connected to, kept in the settings so the port list offers them first the
// next time, before the ports a search discovers.
namespace TypedPorts {

constexpr int kept = 8;

// Most recent first.
QStringList remembered();
void remember(const QString &port);
// The remembered ports, then the discovered ones not among them.
QStringList listWith(const QStringList &discovered);

} // namespace TypedPorts
