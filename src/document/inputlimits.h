#pragma once

#include <QtGlobal>

// What Plimb takes from a file, a setting or the command line, in one place.
// Every value lies far beyond what a real design or job needs; input past one
// is refused or left out with a message, never crashes, hangs or goes quietly.
// The README's "Limits" section lists them for users: keep the two together.
namespace InputLimits {

// Design text (plain or unpacked from .svgz), in bytes.
constexpr qint64 maxDesignBytes = qint64(256) << 20;
// Elements nested inside each other. Qt's XML parser recurses per level and
// runs out of stack in the tens of thousands, so deeper files are refused
// before it sees them. Above maxShownDepth (the canvas and the job) the
// elements are left out with a note.
constexpr int maxXmlDepth = 20000;
// Characters all entity references of a design expand to together; the
// parser itself caps a single entity.
constexpr qint64 maxEntityExpansion = qint64(4) << 20;
// Characters of one text element.
constexpr int maxTextLength = 20000;
// Pixels of a picture, read from its header before it is decoded.
constexpr qint64 maxPicturePixels = qint64(100) * 1000 * 1000;
// Copies "use" instances of one job may make together, and path segments
// those copies may hold.
constexpr qint64 maxUseElements = 500000;
constexpr qint64 maxUseSegments = 5000000;
// One line of a job file, in bytes (Plimb's own lines are under 60).
constexpr int maxJobLineLength = 4096;

// Numbers that reach the engraver. Power and feed at 100 % ("paintPower",
// "paintSpeed"): S and mm/min.
constexpr double maxFullScalePower = 10000;
constexpr double minFullScaleSpeed = 60;
constexpr double maxFullScaleSpeed = 60000;
// Every coordinate of a job, in millimetres from the origin.
constexpr double maxCoordinateMm = 10000;

} // namespace InputLimits
