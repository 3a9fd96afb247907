#include "jobfile.h"

#include <QFile>

namespace {

bool parseLine(const QByteArray &line, bool absolute, GCodeBuffer *record)
{
    *record = GCodeBuffer();
    record->absolute = absolute;
    if (line.isEmpty()) {
        record->G = GCodeBuffer::emptyLine;
        return true;
    }
    int at = 0;
    if (line.startsWith("G00")) {
        record->G = GCodeBuffer::wordG00;
        at = 3;
    }
    if (!absolute) {
        record->X = 0;
        record->Y = 0;
    }
    while (at < line.size()) {
        const char letter = line.at(at++);
        int end = at;
        while (end < line.size() && (line.at(end) == '-' || line.at(end) == '.'
                                     || (line.at(end) >= '0' && line.at(end) <= '9')))
            ++end;
        bool ok = false;
        const double value = line.mid(at, end - at).toDouble(&ok);
        if (!ok)
            return false;
        at = end;
        switch (letter) {
        case 'G': record->G = value; break;
        case 'M': record->M = value; break;
        case 'X': record->X = value; break;
        case 'Y': record->Y = value; break;
        case 'S': record->S = value; break;
        case 'F': record->F = value; break;
        default: return false;
        }
    }
    return true;
}

} // namespace

bool readJobFile(const QString &path, QList<GCodeBuffer> *records, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    records->clear();
    bool absolute = true;
    int number = 0;
    QByteArray written;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        ++number;
        if (!line.endsWith('\n')) {
            *error = QStringLiteral("%1:%2: the last line has no line end").arg(path).arg(number);
            return false;
        }
        line.chop(1);
        GCodeBuffer record;
        written.clear();
        if (parseLine(line, absolute, &record))
            record.appendTo(written);
        if (written != line + '\n') {
            *error = QStringLiteral("%1:%2: not a line of Plimb's G-code: %3")
                    .arg(path).arg(number).arg(QString::fromLatin1(line));
            return false;
        }
        if (record.G == 90)
            absolute = true;
        else if (record.G == 91)
            absolute = false;
        records->append(record);
    }
    return true;
}
