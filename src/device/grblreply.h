#pragma once

#include <QByteArray>
#include <QList>
#include <QVersionNumber>

// One line from the engraver, sorted by what it is. Pure: what to do about
// each kind is the controller's business.
struct GrblReply
{
    enum class Kind {
        Ok,                 // "ok"
        Error,              // "error:N"
        Alarm,              // "ALARM:N"
        Status,             // "<Idle|MPos:1.000,2.000,0.000|FS:0,0>"
        Message,            // "[MSG:...]"
        Version,            // "[VER:...]"
        HardwareVersion,    // "[HARDVER:...]"
        Options,            // "[OPT:codes,planner blocks,receive buffer]"
        Setting,            // "$N=V"
        Transfer,           // part-transfer replies, "msg@printing:ask pack_info"
        Banner,             // start-up line, "Grbl 1.1h ['$' for help]"
        Other,
    };

    // The "[MSG:" notices the controller acts on.
    enum class Notice {
        None,
        UnlockNeeded,           // "'$H'|'$X' to unlock": alarm lock after reset
        Held,                   // "Holded"
        FirmwarePieceWanted,    // "OTA OK"
        FirmwareWritten,        // "OTA done"
        ProgramEnd,             // "Pgm End"
    };

    // What a part-transfer reply asks for or confirms.
    enum class TransferStep {
        None,
        AskPackInfo,            // announce the next part
        AskPackage,             // send the announced part's bytes
        PackageReceived,
        StorageModeReceived,
    };

    // `line` may carry its "\r\n" and surrounding white space.
    static GrblReply classify(const QByteArray &line);

    // Status: the comma-separated values of field `name`, for "MPos" in the
    // example above "1.000", "2.000", "0.000"; empty when there is none.
    QList<QByteArray> statusField(const QByteArray &name) const;

    Kind kind = Kind::Other;
    // The line without surrounding white space; for Status, Message, Version,
    // HardwareVersion and Options what follows the tag, without the closing
    // bracket. A line cut before its bracket keeps what it has.
    QByteArray text;
    // Error, Alarm: N, -1 when it is missing or not a number. Setting: N.
    int number = -1;
    double value = 0;               // Setting
    QVersionNumber version;         // Version, HardwareVersion: text up to the first ","
    int rxBufferSize = 0;           // Options: third field, 0 when missing
    Notice notice = Notice::None;               // Message
    TransferStep step = TransferStep::None;     // Transfer
};
