#pragma once

#include <QLineF>
#include <QRectF>
#include <QVector>
#include <QString>
#include <QStringList>

#include <cmath>

// A small G-code interpreter for tests: follows G0/G1 moves in absolute (G90)
// and relative (G91) mode with modal S, and collects the bounding box of the
// moves that burn (G1 with S above 0 while the laser is on, M3 or M4), and
// the burning moves themselves.
// Independent of the generator, so it checks what the engraver would do.
class GCodeInterpreter
{
public:
    void run(const QStringList &lines)
    {
        for (const QString &line : lines)
            step(line.trimmed());
    }

    void step(const QString &line)
    {
        int g = -1;
        bool hasX = false;
        bool hasY = false;
        double x = 0;
        double y = 0;
        int i = 0;
        while (i < line.size()) {
            const QChar letter = line.at(i++);
            int end = i;
            while (end < line.size() && !line.at(end).isLetter())
                ++end;
            const double value = line.mid(i, end - i).toDouble();
            i = end;
            switch (letter.toLatin1()) {
            case 'G':
                g = int(value);
                if (g == 90)
                    relative = false;
                else if (g == 91)
                    relative = true;
                else if (g == 0 || g == 1)
                    motion = g;
                break;
            case 'M':
                if (value == 3 || value == 4)
                    laserOn = true;
                else if (value == 5 || value == 2)
                    laserOn = false;
                break;
            case 'X':
                hasX = true;
                x = value;
                break;
            case 'Y':
                hasY = true;
                y = value;
                break;
            case 'S':
                power = value;
                break;
            case 'F':
                feed = value;
                break;
            default:
                break;
            }
        }
        const int index = lines++;
        if (!hasX && !hasY)
            return;
        if (motion == 0 && !relative && hasX && hasY && firstPositioningLine < 0)
            firstPositioningLine = index;
        const double nextX = hasX ? (relative ? posX + x : x) : posX;
        const double nextY = hasY ? (relative ? posY + y : y) : posY;
        if (motion == 1 && laserOn && power > 0 && (nextX != posX || nextY != posY)) {
            include(posX, posY);
            include(nextX, nextY);
            ++burns;
            segments.append(QLineF(posX, posY, nextX, nextY));
            burnMoves.append({QLineF(posX, posY, nextX, nextY), power, feed});
            if (firstBurnLine < 0)
                firstBurnLine = index;
        }
        posX = nextX;
        posY = nextY;
    }

    QRectF burnedBounds() const
    {
        return burns == 0 ? QRectF() : QRectF(QPointF(left, top), QPointF(right, bottom));
    }

    // A burning move with the modal power and feed it ran at.
    struct Burn
    {
        QLineF line;
        double power = 0;
        double feed = 0;
    };

    int burns = 0;
    QVector<QLineF> segments;
    QVector<Burn> burnMoves;
    // Lines are counted from 0 as step() sees them; -1 while there was none.
    int lines = 0;
    int firstBurnLine = -1;
    int firstPositioningLine = -1;    // the first G0 to an absolute X and Y
    double posX = 0;
    double posY = 0;

private:
    void include(double x, double y)
    {
        left = std::fmin(left, x);
        right = std::fmax(right, x);
        top = std::fmin(top, y);
        bottom = std::fmax(bottom, y);
    }

    bool relative = false;
    bool laserOn = false;
    int motion = 0;
    double power = 0;
    double feed = 0;
    double left = INFINITY;
    double top = INFINITY;
    double right = -INFINITY;
    double bottom = -INFINITY;
};
