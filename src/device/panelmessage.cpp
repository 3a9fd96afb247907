#include "device/panelmessage.h"

#include <QRegularExpression>

namespace PanelMessage {

namespace {

QString withId(int id, const QString &value)
{
    return QStringLiteral("set:%1 value:%2").arg(QString::number(id), value);
}

} // namespace

QString formatNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QString make(PanelCommand id, double value)
{
    return withId(static_cast<int>(id), formatNumber(value));
}

QString make(PanelCommand id, const QString &value)
{
    return withId(static_cast<int>(id), value);
}

QString make(PanelNotice id, double value)
{
    return withId(static_cast<int>(id), formatNumber(value));
}

QString make(PanelNotice id, const QString &value)
{
    return withId(static_cast<int>(id), value);
}

QString make(PropertyNotice id, double value)
{
    return withId(static_cast<int>(id), formatNumber(value));
}

QString make(PropertyNotice id, const QString &value)
{
    return withId(static_cast<int>(id), value);
}

QStringList splitNumbers(const QString &text)
{
    static const QRegularExpression separator(QStringLiteral("[^-?\\d+(\\.\\d+)?]"));
    return text.split(separator, Qt::SkipEmptyParts);
}

QString textValue(const QString &message)
{
    static const QLatin1String marker("value:");
    const int at = message.indexOf(marker);
    if (at < 0)
        return QString();
    return message.mid(at + marker.size());
}

} // namespace PanelMessage
