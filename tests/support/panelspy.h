#pragma once

#include "device/panelmessageid.h"

#include <QSignalSpy>
#include <QStringList>

// Panel messages ("set:ID value:TEXT") as the device tests send and read them.
// The texts are spelled out here rather than made by the code under test.
namespace PanelSpy {

inline int number(PanelNotice id)
{
    return static_cast<int>(id);
}

inline int number(PanelCommand id)
{
    return static_cast<int>(id);
}

// One message to the panel, as the controller should write it.
inline QString notice(PanelNotice id, const QString &value)
{
    return QStringLiteral("set:%1 value:%2").arg(number(id)).arg(value);
}

// The messages with `id` among `messages`, as their value texts, in order.
inline QStringList valuesIn(const QStringList &messages, PanelNotice id)
{
    const QString prefix = notice(id, QString());
    QStringList values;
    for (const QString &message : messages) {
        if (message.startsWith(prefix))
            values.append(message.mid(prefix.size()));
    }
    return values;
}

// All messages that `spy` caught, in order.
inline QStringList allMessages(const QSignalSpy &spy)
{
    QStringList messages;
    for (const QList<QVariant> &arguments : spy)
        messages += arguments.at(0).toStringList();
    return messages;
}

inline QStringList valuesFor(const QSignalSpy &spy, PanelNotice id)
{
    return valuesIn(allMessages(spy), id);
}

// One message to the controller, as a panel would send it.
inline QStringList message(PanelCommand id, const QString &value)
{
    return {QStringLiteral("set:%1 value:%2").arg(number(id)).arg(value)};
}

inline QStringList messageWithoutValue(PanelCommand id)
{
    return {QStringLiteral("set:%1").arg(number(id))};
}

} // namespace PanelSpy
