#pragma once

// Ids of the "set:<id> value:<value>" messages between the panels and the
// device controller. The two directions number their messages separately, so
// the same number means different things in PanelCommand and PanelNotice.

// Operate panel to controller (LowerGrbl::getPanelMessage). 12 and 15 are
// not used: a job and a frame go to the controller as data, not as messages.
enum class PanelCommand {
    PrintPower = 0,         // %
    PrintSpeed = 1,         // mm/s
    PositionLaserOn = 2,    // 1 or 0
    PositionPower = 3,      // %
    Home = 4,
    Jog = 5,                // direction: 1 up, 2 down, 3 left, 4 right
    MoveSpeed = 6,          // mm/s, for jog, go-to and frame
    MoveDistance = 7,       // mm per jog
    MaxLaserPower = 8,      // the S value that stands for 100 %
    SearchDevice = 9,
    ChoosePort = 10,        // port name
    RefreshPorts = 11,
    StopPrint = 13,
    PausePrint = 14,        // 1 pauses, 0 resumes
    AreaWidth = 16,         // mm
    AreaHeight = 17,        // mm
    UpgradeFirmware = 19,
    QueryPosition = 20,
    GoTo = 21,              // "value:x<mm>,y<mm>"
    MachineSetting = 22,    // "value:" + key + number, e.g. "value:workWidth300"
    RestoreDefaults = 23,
    LocatingTool = 24,      // 1 or 0
    Roller = 25,            // 0 roller on X, 1 roller on Y, 10 off
    // Real-time overrides of GRBL 1.1. Feed and spindle: 0 back to 100 %,
    // +10, -10, +1 or -1 per cent; rapid: 100, 50 or 25 per cent.
    FeedOverride = 26,
    RapidOverride = 27,
    SpindleOverride = 28,
    // Takes the interrupted job up again where the controller offered it;
    // only ever sent after the user confirmed the head's position.
    ResumePrint = 29,
    ResumeDismissed = 30,   // the offer is declined: the job is forgotten
    // "$X": lifts an alarm lock without homing. Only ever sent after the
    // user confirmed that the head's position is known.
    Unlock = 31,
    // 1: a line the engraver refuses is counted and the job goes on; 0 (the
    // default): the first refusal stops the job.
    ContinuePastErrors = 32,
};

// Controller to operate panel (LowerGrbl::sendPanelMessage).
enum class PanelNotice {
    PortList = 0,           // names, each followed by a space, or "none"
    Connected = 1,          // port name, or "none"
    Disconnected = 2,       // port name
    // 3, 4, 6, 7, 9 and 10 set the panel's own fields; the controller never
    // sends them.
    PrintPower = 3,
    PrintSpeed = 4,
    JobProgress = 5,        // % of the job's records consumed
    MoveSpeed = 6,
    MoveDistance = 7,
    PositionPower = 9,
    PositionLaserOn = 10,
    WorkWidth = 11,         // $130
    WorkHeight = 12,        // $131
    MaxSpeedX = 13,         // $110 / $100, mm/s
    MaxSpeedY = 14,         // $111 / $101, mm/s
    AccelerationX = 15,     // $120
    AccelerationY = 16,     // $121
    MotorDirections = 17,   // $3: bit 0 X, bit 1 Y
    JobFinished = 18,
    Position = 19,          // "value:x<mm>,y<mm>"
    UpgradeProgress = 20,   // fraction of the image written, 0 to 1
    FirmwareCurrent = 21,   // upgrade refused: nothing newer to install
    HardwareUnknown = 22,   // upgrade refused: no image for this hardware, or no firmware version
    UpgradeStarted = 23,
    UpgradeFinished = 24,
    FirmwareOutdated = 25,  // the engraver runs older firmware than the program ships
    HardwareVersion = 26,   // text, forwarded to the property panel
    FirmwareImageMissing = 27,  // this build carries no image for the model
    // Port name: the search could not open it for lack of permission on its
    // device node (see SerialAccess for the group to join).
    PortDenied = 28,
    PartPreparing = 29,
    PartConfirmed = 30,
    // 1: the controller is a standard GRBL 1.1 board, not one of the
    // engraver's models; it has no part mode, roller, locating tool or
    // firmware upgrade.
    GenericController = 31,
    // 1: laser mode is off ($32=0), so the laser stops at every corner.
    LaserModeOff = 32,
    // The job in flight was interrupted (link lost or stopped) and can be
    // taken up at the start of this raster row or outline (1 for the first).
    ResumeRow = 33,
    ResumeOutline = 34,
    // "<N>=<V>": $1, $11, $12, $100, $101, $110, $111, $120 or $121 as the engraver reported
    // it, in GRBL's own units, for the job time estimate.
    MotionSetting = 40,
    // $22 as reported: 1 when the board can home, so homing is offered.
    HomingAvailable = 41,
    // The board is locked in alarm; the text is the alarm and its meaning.
    MachineLocked = 42,
    // The lock is lifted: 1 by homing, 2 by the user's unlock.
    MachineReady = 43,
    // "$H" or "$X" was refused; the text is the error and its meaning.
    LockNotLifted = 44,
    // Start was refused before anything was sent; the text says why.
    JobRefused = 45,
    // The job was stopped by the engraver's refusal or alarm; the text names
    // the line, the code and its meaning. A resume offer may precede it.
    JobFailed = 46,
    // "<count> <first failure>": lines refused in a job that went on past
    // errors; sent just before JobFinished.
    JobLinesFailed = 47,
    // "<why> <name>": a link could not be opened or stopped answering; why
    // is "refused", "unknown-host", "timeout", "silent", "missing" or "failed".
    LinkFailed = 48,
};

// Operate panel to property panel; the controller sends PrintSpeed as well.
enum class PropertyNotice {
    PrintSpeed = 0,         // mm/s
    PrintPower = 1,         // %
    HardwareVersion = 2,    // text
};
