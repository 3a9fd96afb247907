#include "import/pltreader.h"

#include "import/dxftext.h"

#include <QIODevice>
#include <QtMath>
#include <cmath>

namespace {

// Plotter units per centimetre (0.025 mm each).
constexpr double unitsPerCentimetre = 400;
// The character height plotters start with: 0.27 cm.
constexpr double defaultLabelHeight = 0.27 * unitsPerCentimetre;
// Coordinates beyond this are damage, not drawing (a plotter's range is
// a few metres).
constexpr double maxCoordinate = 1e9;

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The numbers of a parameter text: "-1.5,2 3-4" holds -1.5, 2, 3 and -4.
QList<double> numbersIn(const QByteArray &text)
{
    QList<double> numbers;
    int i = 0;
    while (i < text.size()) {
        if (!isNumberChar(text.at(i))) {
            ++i;
            continue;
        }
        int end = i + 1;
        while (end < text.size() && ((text.at(end) >= '0' && text.at(end) <= '9') || text.at(end) == '.'))
            ++end;
        bool ok = false;
        const double value = text.mid(i, end - i).toDouble(&ok);
        if (ok && std::isfinite(value))
            numbers.append(value);
        i = end;
    }
    return numbers;
}

} // namespace

void PltReader::reset()
{
    mPen = QPointF();
    mPenDown = false;
    mRelative = false;
    mScaled = false;
    mUserToPlotter = QTransform();
    mP1 = QPointF(0, 0);
    mP2 = QPointF(10000, 10000);
    mLabelHeight = defaultLabelHeight;
    mLabelDegrees = 0;
    mLabelTerminator = 3;
}

int PltReader::read(QIODevice &device)
{
    mPaths.clear();
    mSelections = 0;
    reset();
    const QByteArray data = device.readAll();
    int i = 0;
    while (i < data.size()) {
        const char c = data.at(i);
        if (c == 0x1b) {
            // Device control ("ESC.x...:" and kin) is not drawing.
            i += 2;
            while (i < data.size() && !isLetter(data.at(i)) && data.at(i) != ':')
                ++i;
            if (i < data.size() && (data.at(i) == ':' || isLetter(data.at(i))))
                ++i;
            continue;
        }
        if (!isLetter(c) || i + 1 >= data.size() || !isLetter(data.at(i + 1))) {
            ++i;
            continue;
        }
        const QByteArray name = data.mid(i, 2).toUpper();
        i += 2;
        if (name == "LB") {
            int end = data.indexOf(mLabelTerminator, i);
            if (end < 0)
                end = data.size();
            label(QString::fromLatin1(data.mid(i, end - i)));
            i = end + 1;
            continue;
        }
        if (name == "DT") {
            // The next character ends labels from now on.
            if (i < data.size() && data.at(i) != ';')
                mLabelTerminator = data.at(i++);
            else
                mLabelTerminator = 3;
            continue;
        }
        // The parameters run to ";" or to the next command's letters,
        // across line ends.
        int end = i;
        while (end < data.size() && (isSeparator(data.at(end)) || isNumberChar(data.at(end))))
            ++end;
        const QList<double> numbers = numbersIn(data.mid(i, end - i));
        i = end;
        if (i < data.size() && data.at(i) == ';')
            ++i;
        runCommand(name, numbers);
    }
    // A path that ends with pen-up moves has nothing there to draw.
    for (QPainterPath &path : mPaths) {
        int last = path.elementCount();
        while (last > 0 && path.elementAt(last - 1).isMoveTo())
            --last;
        if (last < path.elementCount()) {
            QPainterPath trimmed;
            for (int e = 0; e < last; ++e) {
                const QPainterPath::Element element = path.elementAt(e);
                if (element.isMoveTo())
                    trimmed.moveTo(element);
                else
                    trimmed.lineTo(element);
            }
            path = trimmed;
        }
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

QPointF PltReader::toPlotter(const QPointF &user) const
{
    return mScaled ? mUserToPlotter.map(user) : user;
}

QPointF PltReader::incrementToPlotter(const QPointF &user) const
{
    return mScaled ? mUserToPlotter.map(user) - mUserToPlotter.map(QPointF()) : user;
}

void PltReader::moveOrDraw(const QPointF &to)
{
    if (!(std::abs(to.x()) < maxCoordinate && std::abs(to.y()) < maxCoordinate))
        return;
    QPainterPath &path = currentPath();
    if (mPenDown) {
        // A new pen's path starts where the pen is, not at the origin.
        if (path.elementCount() == 0 || path.currentPosition() != mPen)
            path.moveTo(mPen);
        path.lineTo(to);
    }
    mPen = to;
}

void PltReader::arc(const QPointF &centre, double sweepDegrees)
{
    const QPointF start = mPen - centre;
    const double radius = std::hypot(start.x(), start.y());
    if (!(radius > 0) || !std::isfinite(sweepDegrees) || radius > maxCoordinate)
        return;
    const double startAngle = std::atan2(start.y(), start.x());
    const double sweep = qDegreesToRadians(qBound(-3600.0, sweepDegrees, 3600.0));
    // Chords of at most 5 degrees, as plotters draw by default.
    const int steps = qMax(1, int(std::ceil(std::abs(sweep) / qDegreesToRadians(5.0))));
    for (int s = 1; s <= steps; ++s) {
        const double angle = startAngle + sweep * s / steps;
        moveOrDraw(centre + QPointF(std::cos(angle), std::sin(angle)) * radius);
    }
}

void PltReader::label(const QString &text)
{
    QPointF lineStart = mPen;
    const QTransform direction = QTransform().rotate(mLabelDegrees);
    const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                      .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                      .split(QLatin1Char('\n'));
    for (int l = 0; l < lines.size(); ++l) {
        if (l > 0) {
            lineStart += direction.map(QPointF(0, -2 * mLabelHeight));
            mPen = lineStart;
        }
        double advance = 0;
        const QPainterPath glyphs = DxfText::textOutline(lines.at(l), QString(), mLabelHeight, &advance);
        QTransform placement;
        placement.translate(mPen.x(), mPen.y());
        placement.rotate(mLabelDegrees);
        if (!glyphs.isEmpty())
            currentPath().addPath(placement.map(glyphs));
        mPen = placement.map(QPointF(advance, 0));
    }
}

void PltReader::runCommand(const QByteArray &name, const QList<double> &numbers)
{
    if (name == "IN" || name == "DF") {
        if (name == "IN")
            reset();
        else
            mRelative = false;
        return;
    }
    if (name == "SP") {
        mPaths.append(QPainterPath());
        ++mSelections;
        return;
    }
    if (name == "PU" || name == "PD" || name == "PA" || name == "PR") {
        if (name == "PU")
            mPenDown = false;
        else if (name == "PD")
            mPenDown = true;
        else
            mRelative = name == "PR";
        for (int i = 0; i + 1 < numbers.size(); i += 2) {
            const QPointF pair(numbers.at(i), numbers.at(i + 1));
            moveOrDraw(mRelative ? mPen + incrementToPlotter(pair) : toPlotter(pair));
        }
        return;
    }
    if (name == "CI") {
        if (numbers.isEmpty())
            return;
        const double radius = std::abs(incrementToPlotter(QPointF(numbers.first(), 0)).x());
        if (!(radius > 0) || radius > maxCoordinate)
            return;
        // The circle is drawn whatever the pen; the pen stays at the centre.
        const QPointF centre = mPen;
        const bool down = mPenDown;
        mPenDown = false;
        moveOrDraw(centre + QPointF(radius, 0));
        mPenDown = true;
        arc(centre, 360);
        currentPath().closeSubpath();
        mPenDown = false;
        moveOrDraw(centre);
        mPenDown = down;
        return;
    }
    if (name == "AA" || name == "AR") {
        if (numbers.size() < 3)
            return;
        const QPointF given(numbers.at(0), numbers.at(1));
        const QPointF centre = name == "AA" ? toPlotter(given) : mPen + incrementToPlotter(given);
        arc(centre, numbers.at(2));
        return;
    }
    if (name == "IP") {
        if (numbers.size() >= 4) {
            mP1 = QPointF(numbers.at(0), numbers.at(1));
            mP2 = QPointF(numbers.at(2), numbers.at(3));
        } else if (numbers.size() >= 2) {
            const QPointF size = mP2 - mP1;
            mP1 = QPointF(numbers.at(0), numbers.at(1));
            mP2 = mP1 + size;
        } else {
            mP1 = QPointF(0, 0);
            mP2 = QPointF(10000, 10000);
        }
        return;
    }
    if (name == "SC") {
        mScaled = false;
        if (numbers.size() < 4)
            return;
        const int type = numbers.size() >= 5 ? int(numbers.at(4)) : 0;
        const double xMin = numbers.at(0);
        const double yMin = numbers.at(2);
        double sx = 0;
        double sy = 0;
        if (type == 2) {
            // Point-factor scaling: plotter units per user unit.
            sx = numbers.at(1);
            sy = numbers.at(3);
        } else {
            const double xSpan = numbers.at(1) - xMin;
            const double ySpan = numbers.at(3) - yMin;
            if (xSpan == 0 || ySpan == 0)
                return;
            sx = (mP2.x() - mP1.x()) / xSpan;
            sy = (mP2.y() - mP1.y()) / ySpan;
            if (type == 1) {
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(s, sx);
                sy = std::copysign(s, sy);
            }
        }
        if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0 || sy == 0)
            return;
        mUserToPlotter = QTransform(sx, 0, 0, sy, mP1.x() - xMin * sx, mP1.y() - yMin * sy);
        mScaled = true;
        return;
    }
    if (name == "SI") {
        // Width and height in centimetres; the outline font keeps its own
        // proportions.
        if (numbers.size() >= 2 && numbers.at(1) > 0 && numbers.at(1) < 1000)
            mLabelHeight = numbers.at(1) * unitsPerCentimetre;
        else if (numbers.isEmpty())
            mLabelHeight = defaultLabelHeight;
        return;
    }
    if (name == "DI") {
        if (numbers.size() >= 2 && (numbers.at(0) != 0 || numbers.at(1) != 0))
            mLabelDegrees = qRadiansToDegrees(std::atan2(numbers.at(1), numbers.at(0)));
        else
            mLabelDegrees = 0;
        return;
    }
}
