#pragma once

#include <QString>

// The meaning of GRBL 1.1's "error:N" and "ALARM:N" codes, in the words of
// its documentation, for the log and for the user.
namespace GrblCodes {

// Empty for a code GRBL 1.1 does not define.
QString errorText(int code);
QString alarmText(int code);

} // namespace GrblCodes
