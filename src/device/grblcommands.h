#pragma once

#include "device/panelmessageid.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

// Texts of the engraver's machine commands. Numbers are written in the 'g'
// format with six significant digits; speeds in mm/s become feed words by
// the steps-per-mm factor of the X axis, as the firmware expects.
namespace GrblCommands {

// Direction 1 up (toward smaller Y), 2 down, 3 left (toward smaller X),
// 4 right; any other direction gives an empty command.
QByteArray jog(double stepFactorX, double speed, double distance, int direction);
QByteArray goTo(double stepFactorX, double speed, double x, double y);
// `bound` in canvas units (0.08 mm); one nine-line block tracing it once.
QByteArray frame(double stepFactorX, double speed, const QRectF &bound);
// The two lines that set the positioning laser to `percent` of `maxPower`.
QList<QByteArray> positionLaser(double percent, double maxPower);
QList<QByteArray> laserOff();
// `text` as the panel writes it ("value:workWidth300"); empty when no key
// is recognised.
QByteArray machineSetting(const QString &text, double stepFactorX, double stepFactorY);
// The GRBL 1.1 real-time override byte: feed and spindle take 0 (back to
// 100 %), 10, -10, 1 or -1; rapid takes 100, 50 or 25. Empty otherwise.
QByteArray overrideByte(PanelCommand kind, int step);

} // namespace GrblCommands
