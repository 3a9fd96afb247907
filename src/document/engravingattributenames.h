#pragma once

#include <QString>

// The engraving attributes every element carries. They are addressed by their
// qualified names; the namespace URI plays no part.
namespace EngravingAttributes {
inline const QString scanPower = QStringLiteral("tolvenrik:scanPower");
inline const QString scanSpeed = QStringLiteral("tolvenrik:scanSpeed");
inline const QString scanTimes = QStringLiteral("tolvenrik:scanTimes");
inline const QString scanAccuracy = QStringLiteral("tolvenrik:scanAccuracy");
inline const QString scanAngle = QStringLiteral("tolvenrik:scanAngle");
inline const QString scanBuffer = QStringLiteral("tolvenrik:scanBuffer");
inline const QString scanError = QStringLiteral("tolvenrik:scanError");
inline const QString XMotorMovementError = QStringLiteral("tolvenrik:XMotorMovementError");
inline const QString YMotorMovementError = QStringLiteral("tolvenrik:YMotorMovementError");
// "bw", "halftone" or "gray"; only on image elements.
inline const QString image = QStringLiteral("tolvenrik:image");
inline const QString imageBw = QStringLiteral("bw");
inline const QString imageHalftone = QStringLiteral("halftone");
inline const QString imageGray = QStringLiteral("gray");

// Text layout, on text elements only. The prefix differs from the one above
// in the capital R, which makes these different attribute names.
inline const QString textDirection = QStringLiteral("tolvenRik:TextDirection");
inline const QString alignment = QStringLiteral("tolvenRik:Alignment");
inline const QString wordSpacing = QStringLiteral("tolvenRik:WordSpacing");
inline const QString lineSpacing = QStringLiteral("tolvenRik:LineSpacing");

// The engrave mode is the "fill" declaration of "style": "none" cuts the
// outline; any other value fills, and the panel writes the second one.
inline const QString engraveModeOutline = QStringLiteral("none");
inline const QString engraveModeFill = QStringLiteral("#80000000");
} // namespace EngravingAttributes
