#include "device/grblcodes.h"

namespace GrblCodes {

QString errorText(int code)
{
    static const char *const texts[] = {
        nullptr,
        "G-code words consist of a letter and a value. Letter was not found.",
        "Numeric value format is not valid or missing an expected value.",
        "Grbl '$' system command was not recognized or supported.",
        "Negative value received for an expected positive value.",
        "Homing cycle is not enabled via settings.",
        "Minimum step pulse time must be greater than 3usec.",
        "EEPROM read failed. Reset and restored to default values.",
        "Grbl '$' command cannot be used unless Grbl is IDLE.",
        "G-code locked out during alarm or jog state.",
        "Soft limits cannot be enabled without homing also enabled.",
        "Max characters per line exceeded. Line was not processed and executed.",
        "Grbl '$' setting value exceeds the maximum step rate supported.",
        "Safety door detected as opened and door state initiated.",
        "Build info or startup line exceeded EEPROM line length limit.",
        "Jog target exceeds machine travel. Command ignored.",
        "Jog command with no '=' or contains prohibited g-code.",
        "Laser mode requires PWM output.",
        nullptr,
        nullptr,
        "Unsupported or invalid g-code command found in block.",
        "More than one g-code command from same modal group found in block.",
        "Feed rate has not yet been set or is undefined.",
        "G-code command in block requires an integer value.",
        "Two G-code commands that both require the use of the XYZ axis words were detected in the block.",
        "A G-code word was repeated in the block.",
        "A G-code command implicitly or explicitly requires XYZ axis words in the block, but none were detected.",
        "N line number value is not within the valid range of 1 - 9,999,999.",
        "A G-code command was sent, but is missing some required P or L value words in the line.",
        "Grbl supports six work coordinate systems G54-G59. G59.1, G59.2, and G59.3 are not supported.",
        "The G53 G-code command requires either a G0 seek or G1 feed motion mode to be active.",
        "There are unused axis words in the block and G80 motion mode cancel is active.",
        "A G2 or G3 arc was commanded but there are no XYZ axis words in the selected plane to trace the arc.",
        "The motion command has an invalid target. G2, G3, and G38.2 generates this error.",
        "A G2 or G3 arc, traced with the radius definition, had a mathematical error when computing the arc geometry.",
        "A G2 or G3 arc, traced with the offset definition, is missing the IJK offset word in the selected plane.",
        "There are unused, leftover G-code words that aren't used by any command in the block.",
        "The G43.1 dynamic tool length offset command cannot apply an offset to an axis other than its configured axis.",
        "Tool number greater than max supported value.",
    };
    const int count = int(sizeof texts / sizeof texts[0]);
    return code > 0 && code < count && texts[code] ? QString::fromLatin1(texts[code]) : QString();
}

QString alarmText(int code)
{
    static const char *const texts[] = {
        nullptr,
        "Hard limit triggered. Machine position is likely lost due to sudden and immediate halt.",
        "G-code motion target exceeds machine travel. Machine position safely retained.",
        "Reset while in motion. Machine position is likely lost due to sudden and immediate halt.",
        "Probe fail. The probe is not in the expected initial state before starting probe cycle.",
        "Probe fail. Probe did not contact the workpiece within the programmed travel.",
        "Homing fail. Reset during active homing cycle.",
        "Homing fail. Safety door was opened during active homing cycle.",
        "Homing fail. Cycle failed to clear limit switch when pulling off.",
        "Homing fail. Could not find limit switch within search distance.",
    };
    const int count = int(sizeof texts / sizeof texts[0]);
    return code > 0 && code < count && texts[code] ? QString::fromLatin1(texts[code]) : QString();
}

} // namespace GrblCodes
