#include "device/grblreply.h"

namespace {

// What follows `prefixSize` bytes, without a trailing `close`.
QByteArray inside(const QByteArray &line, int prefixSize, char close)
{
    QByteArray body = line.mid(prefixSize);
    if (body.endsWith(close))
        body.chop(1);
    return body;
}

int integerOrMinusOne(const QByteArray &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : -1;
}

bool isDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// An optional sign, digits and at most one point; no exponent.
bool isPlainNumber(const QByteArray &text)
{
    const int start = text.startsWith('-') || text.startsWith('+') ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (int i = start; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

QVersionNumber versionOf(const QByteArray &text)
{
    const int comma = text.indexOf(',');
    return QVersionNumber::fromString(QString::fromLatin1(comma < 0 ? text : text.left(comma)));
}

GrblReply::Notice noticeOf(const QByteArray &text)
{
    if (text.contains("to unlock"))
        return GrblReply::Notice::UnlockNeeded;
    if (text.contains("Holded"))
        return GrblReply::Notice::Held;
    if (text.contains("OTA OK"))
        return GrblReply::Notice::FirmwarePieceWanted;
    if (text.contains("OTA done"))
        return GrblReply::Notice::FirmwareWritten;
    if (text.contains("Pgm End"))
        return GrblReply::Notice::ProgramEnd;
    return GrblReply::Notice::None;
}

GrblReply::TransferStep stepOf(const QByteArray &line)
{
    if (line.contains("ask pack_info"))
        return GrblReply::TransferStep::AskPackInfo;
    if (line.contains("ask package"))
        return GrblReply::TransferStep::AskPackage;
    if (line.contains("receive package"))
        return GrblReply::TransferStep::PackageReceived;
    if (line.contains("receive storage_mode"))
        return GrblReply::TransferStep::StorageModeReceived;
    return GrblReply::TransferStep::None;
}

} // namespace

GrblReply GrblReply::classify(const QByteArray &line)
{
    GrblReply reply;
    const QByteArray t = line.trimmed();
    reply.text = t;

    // An answer is exactly "ok" or "error:N": noise such as "okay" from a
    // flaky adapter must never free a command's space. The transfer replies
    // are known only by the marker somewhere in the line.
    if (t == "ok") {
        reply.kind = Kind::Ok;
    } else if (t.startsWith("error:") && isDigits(t.mid(6))) {
        reply.kind = Kind::Error;
        reply.number = integerOrMinusOne(t.mid(6));
    } else if (t.contains("msg@printing")) {
        reply.kind = Kind::Transfer;
        reply.step = stepOf(t);
    } else if (t.startsWith("ALARM:")) {
        reply.kind = Kind::Alarm;
        reply.number = integerOrMinusOne(t.mid(6));
    } else if (t.startsWith('<')) {
        reply.kind = Kind::Status;
        reply.text = inside(t, 1, '>');
    } else if (t.startsWith("[MSG:")) {
        reply.kind = Kind::Message;
        reply.text = inside(t, 5, ']');
        reply.notice = noticeOf(reply.text);
    } else if (t.startsWith("[VER:")) {
        reply.kind = Kind::Version;
        reply.text = inside(t, 5, ']');
        reply.version = versionOf(reply.text);
    } else if (t.startsWith("[HARDVER:")) {
        reply.kind = Kind::HardwareVersion;
        reply.text = inside(t, 9, ']');
        reply.version = versionOf(reply.text);
    } else if (t.startsWith("[OPT:")) {
        reply.kind = Kind::Options;
        reply.text = inside(t, 5, ']');
        reply.rxBufferSize = reply.text.split(',').value(2).trimmed().toInt();
    } else if (t.startsWith('$')) {
        // Only "$N=V" with plain numbers: "$1=2=3" and "$N0=G20" are not settings.
        const int equals = t.indexOf('=');
        const QByteArray number = t.mid(1, equals - 1).trimmed();
        const QByteArray value = t.mid(equals + 1).trimmed();
        bool numberOk = false;
        const int n = equals > 0 && isDigits(number) ? number.toInt(&numberOk) : 0;
        if (numberOk && isPlainNumber(value)) {
            reply.kind = Kind::Setting;
            reply.number = n;
            reply.value = value.toDouble();
        }
    } else if (t.contains("Grbl")) {
        // Found anywhere: the first line after opening a port may carry noise.
        reply.kind = Kind::Banner;
    }
    return reply;
}

QList<QByteArray> GrblReply::statusField(const QByteArray &name) const
{
    if (kind != Kind::Status)
        return {};
    for (const QByteArray &field : text.split('|')) {
        if (field.size() > name.size() && field.startsWith(name) && field.at(name.size()) == ':') {
            QList<QByteArray> values = field.mid(name.size() + 1).split(',');
            for (QByteArray &v : values)
                v = v.trimmed();
            return values;
        }
    }
    return {};
}
