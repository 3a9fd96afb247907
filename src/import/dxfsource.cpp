#include "import/dxfsource.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstring>

namespace {

// dxflib reads lines into a buffer of 1024 bytes and loops for ever on a
// longer one; values are cut well below that.
constexpr int maxValueLength = 1000;

const char binarySentinel[] = "AutoCAD Binary DXF\r\n\x1a";
constexpr int sentinelLength = 22; // including the final NUL

enum class ValueKind { String, Double, Int16, Int32, Int64, Bool, Binary };

// The type of a group's value in binary DXF, by its code.
ValueKind kindOf(int code)
{
    auto in = [code](int from, int to) { return code >= from && code <= to; };
    if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059))
        return ValueKind::Double;
    if (in(60, 79) || in(170, 179) || in(270, 289) || in(370, 389) || in(400, 409) || in(1060, 1070))
        return ValueKind::Int16;
    if (in(90, 99) || in(420, 429) || in(440, 459) || code == 1071)
        return ValueKind::Int32;
    if (in(160, 169))
        return ValueKind::Int64;
    if (in(290, 299))
        return ValueKind::Bool;
    if (in(310, 319) || code == 1004)
        return ValueKind::Binary;
    return ValueKind::String;
}

template <typename T>
bool take(const QByteArray &data, int *at, T *value)
{
    if (*at + int(sizeof(T)) > data.size())
        return false;
    // Binary DXF is little-endian, as every machine we build for.
    std::memcpy(value, data.constData() + *at, sizeof(T));
    *at += int(sizeof(T));
    return true;
}

int countOf(const QList<DxfGroup> &groups, int code)
{
    int count = 0;
    for (const DxfGroup &group : groups)
        count += group.code == code ? 1 : 0;
    return count;
}

QByteArray valueOf(const QList<DxfGroup> &groups, int code)
{
    for (const DxfGroup &group : groups) {
        if (group.code == code)
            return group.value;
    }
    return QByteArray();
}

void setCount(QList<DxfGroup> &groups, int countCode, int of)
{
    const QByteArray count = QByteArray::number(countOf(groups, of));
    for (DxfGroup &group : groups) {
        if (group.code == countCode)
            group.value = count;
    }
}

bool isRawType(const QByteArray &type)
{
    return type == "TEXT" || type == "MTEXT" || type == "ATTRIB" || type == "HATCH" || type == "DIMENSION";
}

} // namespace

const char *DxfSource::markerLayer()
{
    return "*plimb raw entity";
}

bool DxfSource::readAscii(const QByteArray &data, QList<DxfGroup> *groups)
{
    int at = 0;
    if (data.startsWith("\xef\xbb\xbf"))
        at = 3;
    auto nextLine = [&](QByteArray *line) {
        if (at >= data.size())
            return false;
        int end = data.indexOf('\n', at);
        if (end < 0)
            end = data.size();
        *line = data.mid(at, end - at);
        at = end + 1;
        while (line->endsWith('\r') || line->endsWith(' ') || line->endsWith('\t'))
            line->chop(1);
        return true;
    };
    QByteArray codeLine;
    QByteArray value;
    while (nextLine(&codeLine)) {
        bool ok = false;
        const int code = codeLine.trimmed().toInt(&ok);
        if (!ok || code < 0 || !nextLine(&value)) {
            // A damaged tail ends the file; a file that starts so is no DXF.
            if (groups->isEmpty())
                return false;
            break;
        }
        if (code == 0 || code == 2 || code == 9)
            value = value.trimmed();
        groups->append({code, value});
    }
    return !groups->isEmpty();
}

bool DxfSource::readBinary(const QByteArray &data, QList<DxfGroup> *groups)
{
    int at = sentinelLength;
    // Releases since R13 write two-byte codes; earlier ones one byte, with
    // 255 announcing a two-byte code. The first group is "0 SECTION".
    const bool wideCodes = data.size() > at + 1 && data.at(at) == 0 && data.at(at + 1) == 0;
    while (at < data.size()) {
        int code = 0;
        if (wideCodes) {
            quint16 wide = 0;
            if (!take(data, &at, &wide))
                break;
            code = wide;
        } else {
            quint8 narrow = 0;
            if (!take(data, &at, &narrow))
                break;
            code = narrow;
            if (narrow == 255) {
                quint16 wide = 0;
                if (!take(data, &at, &wide))
                    break;
                code = wide;
            }
        }
        QByteArray value;
        bool ok = true;
        switch (kindOf(code)) {
        case ValueKind::String: {
            const int end = data.indexOf('\0', at);
            if (end < 0) {
                ok = false;
                break;
            }
            value = data.mid(at, end - at);
            at = end + 1;
            break;
        }
        case ValueKind::Double: {
            double number = 0;
            ok = take(data, &at, &number);
            value = QByteArray::number(number, 'g', 17);
            break;
        }
        case ValueKind::Int16: {
            qint16 number = 0;
            ok = take(data, &at, &number);
            value = QByteArray::number(number);
            break;
        }
        case ValueKind::Int32: {
            qint32 number = 0;
            ok = take(data, &at, &number);
            value = QByteArray::number(number);
            break;
        }
        case ValueKind::Int64: {
            qint64 number = 0;
            ok = take(data, &at, &number);
            value = QByteArray::number(number);
            break;
        }
        case ValueKind::Bool: {
            quint8 number = 0;
            ok = take(data, &at, &number);
            value = QByteArray::number(number);
            break;
        }
        case ValueKind::Binary: {
            quint8 length = 0;
            ok = take(data, &at, &length) && at + length <= data.size();
            if (ok) {
                value = data.mid(at, length).toHex().toUpper();
                at += length;
            }
            break;
        }
        }
        if (!ok)
            break;
        groups->append({code, value});
        if (code == 0 && value == "EOF")
            break;
    }
    return !groups->isEmpty();
}

bool DxfSource::load(const QByteArray &data)
{
    mError.clear();
    mText.clear();
    mRaw.clear();
    mStyleFamilies.clear();
    QList<DxfGroup> groups;
    const bool binary = data.size() >= sentinelLength
            && std::memcmp(data.constData(), binarySentinel, sentinelLength) == 0;
    const bool read = binary ? readBinary(data, &groups) : readAscii(data, &groups);
    if (!read || groups.first().code != 0) {
        mError = QCoreApplication::translate("DxfReader", "这不是可读的 DXF 文件。");
        return false;
    }
    mText.reserve(data.size() + data.size() / 4);

    QByteArray section;
    // A dropped POLYLINE or INSERT takes its VERTEX, ATTRIB and SEQEND along.
    bool droppingSequence = false;
    int i = 0;
    while (i < groups.size()) {
        const QByteArray type = groups.at(i).value;
        int end = i + 1;
        while (end < groups.size() && groups.at(end).code != 0)
            ++end;
        QList<DxfGroup> entity = groups.mid(i + 1, end - i - 1);
        i = end;
        if (type == "SECTION") {
            section = valueOf(entity, 2).trimmed();
        } else if (type == "ENDSEC") {
            writeEntity(type, entity, section);
            section.clear();
            continue;
        }
        const bool drawing = section == "ENTITIES" || section == "BLOCKS";
        if (drawing) {
            const bool sequencePart = type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
            if (droppingSequence && sequencePart) {
                if (type == "SEQEND")
                    droppingSequence = false;
                continue;
            }
            droppingSequence = false;
            const bool structure = type == "BLOCK" || type == "ENDBLK" || sequencePart;
            // Paper space holds title blocks and viewports, not the model.
            if (!structure && valueOf(entity, 67).trimmed() == "1") {
                droppingSequence = type == "POLYLINE" || type == "INSERT";
                continue;
            }
            // Attribute definitions are templates, not drawing.
            if (type == "ATTDEF")
                continue;
        }
        writeEntity(type, entity, section);
    }
    return true;
}

void DxfSource::writeEntity(const QByteArray &type, QList<DxfGroup> &groups, const QByteArray &section)
{
    const bool drawing = section == "ENTITIES" || section == "BLOCKS";
    if (drawing && isRawType(type)) {
        const int index = mRaw.size();
        mRaw.append({type, groups});
        writeGroup(0, "POINT");
        writeGroup(8, markerLayer());
        writeGroup(10, QByteArray::number(index));
        writeGroup(20, "0");
        writeGroup(30, "0");
        return;
    }
    if (section == "TABLES" && type == "STYLE") {
        const QString name = QString::fromUtf8(valueOf(groups, 2).trimmed()).toLower();
        QString family = QFileInfo(QString::fromUtf8(valueOf(groups, 3).trimmed())).completeBaseName();
        // Extended data names the TrueType family the font file holds.
        for (int g = 0; g + 1 < groups.size(); ++g) {
            if (groups.at(g).code == 1001 && groups.at(g).value.trimmed() == "ACAD"
                && groups.at(g + 1).code == 1000 && !groups.at(g + 1).value.trimmed().isEmpty()) {
                family = QString::fromUtf8(groups.at(g + 1).value.trimmed());
                break;
            }
        }
        if (!name.isEmpty())
            mStyleFamilies.insert(name, family);
    }
    // dxflib sizes its arrays from these counts and overruns them when a
    // file lies; they are set to what the entity really holds.
    if (type == "LWPOLYLINE") {
        setCount(groups, 90, 10);
    } else if (type == "SPLINE") {
        setCount(groups, 72, 40);
        setCount(groups, 73, 10);
        setCount(groups, 74, 11);
    } else if (type == "LEADER") {
        setCount(groups, 76, 10);
    }
    writeGroup(0, type);
    for (const DxfGroup &group : groups) {
        if (group.code == 999)
            continue;
        writeGroup(group.code, group.value);
    }
}

void DxfSource::writeGroup(int code, const QByteArray &value)
{
    mText += QByteArray::number(code);
    mText += '\n';
    QByteArray line = value.size() > maxValueLength ? value.left(maxValueLength) : value;
    // A binary file's string may hold a line break; ASCII DXF cannot.
    line.replace('\n', ' ').replace('\r', ' ');
    mText += line;
    mText += '\n';
}
