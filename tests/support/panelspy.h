#pragma once

#include <QSignalSpy>
#include <QStringList>

// Panel messages ("set:ID value:TEXT") as the device tests send and read them.
// The texts are spelled out here rather than made by the code under test.
namespace PanelSpy {

// All messages with `id` that `spy` caught, as their value texts, in order.
inline QStringList valuesFor(const QSignalSpy &spy, int id)
{
    const QString prefix = QStringLiteral("set:%1 value:").arg(id);
    QStringList values;
    for (const QList<QVariant> &arguments : spy) {
        for (const QString &message : arguments.at(0).toStringList()) {
            if (message.startsWith(prefix))
                values.append(message.mid(prefix.size()));
        }
    }
    return values;
}

inline QStringList message(int id, const QString &value)
{
    return {QStringLiteral("set:%1 value:%2").arg(id).arg(value)};
}

} // namespace PanelSpy
