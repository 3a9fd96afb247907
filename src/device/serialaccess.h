#pragma once

#include <QString>

// Explains a serial port that cannot be opened for lack of permission. On
// Linux a USB serial adapter's node belongs to a group (usually "dialout")
// that a fresh user is not a member of; the port's error alone says nothing
// about that. The node's group is read from the node itself, never assumed.
namespace SerialAccess {

// The device node of a port name as the serial port resolves it:
// "ttyUSB0" is "/dev/ttyUSB0", a path stays as it is.
QString deviceNode(const QString &portName);

// True when the node exists and this process may not both read and write it.
// A port that is merely held by another program is not denied.
bool isDenied(const QString &node);

// The name of the group that owns the node (its number when the group has no
// name); empty when the node cannot be examined.
QString nodeGroup(const QString &node);

// The command-line tool's explanation: which group to join and how.
QString advice(const QString &node, const QString &group);

} // namespace SerialAccess
