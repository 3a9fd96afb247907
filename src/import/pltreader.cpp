#include "import/pltreader.h"

#include <QDebug>
#include <QIODevice>
#include <QRegularExpression>

namespace {

// The numbers after the two command letters, in pairs; an odd last number
// is dropped. Integers only: a fractional coordinate reads as 0.
QList<QPointF> coordinatePairs(const QString &arguments)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList numbers = arguments.split(separators, Qt::SkipEmptyParts);
    QList<QPointF> pairs;
    for (int i = 0; i + 1 < numbers.size(); i += 2)
        pairs.append(QPointF(numbers.at(i).toLongLong(), numbers.at(i + 1).toLongLong()));
    return pairs;
}

} // namespace

int PltReader::read(QIODevice &device)
{
    mPaths.clear();
    mSelections = 0;
    while (!device.atEnd()) {
        const QString line = QString::fromLatin1(device.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList commands = line.split(QLatin1Char(';'));
        // The text after the last ";" is an unfinished command.
        for (int i = 0; i + 1 < commands.size(); ++i)
            runCommand(commands.at(i).trimmed());
        if (!commands.constLast().trimmed().isEmpty())
            qDebug() << "Unknown command";
    }
    return mSelections;
}

QPainterPath &PltReader::currentPath()
{
    // "IN;PU;..." files move the pen before they select one.
    if (mPaths.isEmpty())
        mPaths.append(QPainterPath());
    return mPaths.last();
}

void PltReader::runCommand(const QString &command)
{
    const QString name = command.left(2).toUpper();
    if (name == QLatin1String("SP")) {
        mPaths.append(QPainterPath());
        ++mSelections;
        return;
    }
    const bool penUp = name == QLatin1String("PU");
    if (!penUp && name != QLatin1String("PD"))
        return;
    // No pair means no move, not a move to the origin.
    const QList<QPointF> pairs = coordinatePairs(command.mid(2));
    QPainterPath &path = currentPath();
    for (const QPointF &point : pairs) {
        if (penUp)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
}
