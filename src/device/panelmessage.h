#pragma once

#include "device/panelmessageid.h"

#include <QString>
#include <QStringList>

// The short text messages exchanged between the panels and the device
// controller: one "set:<id> value:<value>" string per message.
namespace PanelMessage {

// Numbers travel in the 'g' format with six significant digits.
QString formatNumber(double value);

QString make(PanelCommand id, double value);
QString make(PanelCommand id, const QString &value);
QString make(PanelNotice id, double value);
QString make(PanelNotice id, const QString &value);
QString make(PropertyNotice id, double value);
QString make(PropertyNotice id, const QString &value);

// Splits at every character that cannot belong to a number and drops empty
// pieces: "set:22 value:value:workWidth300" gives "22" and "300".
QStringList splitNumbers(const QString &text);

// Everything after the first "value:", or a null string when there is none.
QString textValue(const QString &message);

} // namespace PanelMessage
