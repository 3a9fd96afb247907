#include "device/grblcommands.h"

#include "device/panelmessage.h"

namespace GrblCommands {

namespace {

QByteArray number(double value)
{
    return PanelMessage::formatNumber(value).toLatin1();
}

constexpr double millimetresPerUnit = 0.08;

} // namespace

QByteArray jog(double stepFactorX, double speed, double distance, int direction)
{
    const QByteArray feed = number(stepFactorX * speed);
    switch (direction) {
    case 1:
        return "$J=G21G91X0Y" + number(-distance) + 'F' + feed + '\n';
    case 2:
        return "$J=G21G91X0Y" + number(distance) + 'F' + feed + '\n';
    case 3:
        return "$J=G21G91X" + number(-distance) + "Y0F" + feed + '\n';
    case 4:
        return "$J=G21G91X" + number(distance) + "Y0F" + feed + '\n';
    default:
        return QByteArray();
    }
}

QByteArray goTo(double stepFactorX, double speed, double x, double y)
{
    return "$J=G21G90X" + number(x) + 'Y' + number(y) + 'F' + number(stepFactorX * speed) + '\n';
}

QByteArray frame(double stepFactorX, double speed, const QRectF &bound)
{
    const QByteArray x0 = number(bound.left() * millimetresPerUnit);
    const QByteArray y0 = number(bound.top() * millimetresPerUnit);
    const QByteArray x1 = number((bound.left() + bound.width()) * millimetresPerUnit);
    const QByteArray y1 = number((bound.top() + bound.height()) * millimetresPerUnit);
    QByteArray block;
    block += "G00 G17 G40 G21 G54\n";
    block += "G90\n";
    block += "G0X" + x0 + 'Y' + y0 + '\n';
    block += "G1X" + x1 + 'F' + number(stepFactorX * speed) + '\n';
    block += "G1Y" + y1 + '\n';
    block += "G1X" + x0 + '\n';
    block += "G1Y" + y0 + '\n';
    block += "G0\n";
    block += "G90\n";
    return block;
}

QList<QByteArray> positionLaser(double percent, double maxPower)
{
    // Above 6 % the fan is switched on as well.
    const QByteArray first = percent > 6 ? QByteArrayLiteral("M106 G1F100 S0\n")
                                         : QByteArrayLiteral("M107\n");
    return {first, "M3 G1F100 S" + number(percent * 0.01 * maxPower) + '\n'};
}

QList<QByteArray> laserOff()
{
    return {QByteArrayLiteral("S0 G0 M5\n"), QByteArrayLiteral("M107\n")};
}

QByteArray machineSetting(const QString &text, double stepFactorX, double stepFactorY)
{
    const QStringList tokens = PanelMessage::splitNumbers(text);
    if (tokens.isEmpty())
        return QByteArray();
    const QByteArray written = tokens.first().toLatin1();
    const double v = tokens.first().toDouble();
    if (text.contains(QLatin1String("workWidth")))
        return "$130=" + written + '\n';
    if (text.contains(QLatin1String("workHeight")))
        return "$131=" + written + '\n';
    if (text.contains(QLatin1String("speedX")))
        return "$110=" + number(v * stepFactorX) + '\n';
    if (text.contains(QLatin1String("speedY")))
        return "$111=" + number(v * stepFactorY) + '\n';
    if (text.contains(QLatin1String("accX")))
        return "$120=" + written + '\n';
    if (text.contains(QLatin1String("accY")))
        return "$121=" + written + '\n';
    if (text.contains(QLatin1String("direction")))
        return "$3=" + written + '\n';
    return QByteArray();
}

QByteArray overrideByte(PanelCommand kind, int step)
{
    // Feed 0x90-0x94 and spindle 0x99-0x9D: reset, +10, -10, +1, -1.
    static const int steps[] = {0, 10, -10, 1, -1};
    int base = 0;
    if (kind == PanelCommand::FeedOverride)
        base = 0x90;
    else if (kind == PanelCommand::SpindleOverride)
        base = 0x99;
    if (base != 0) {
        for (int i = 0; i < 5; ++i) {
            if (steps[i] == step)
                return QByteArray(1, char(base + i));
        }
        return QByteArray();
    }
    if (kind == PanelCommand::RapidOverride) {
        if (step == 100)
            return QByteArray(1, char(0x95));
        if (step == 50)
            return QByteArray(1, char(0x96));
        if (step == 25)
            return QByteArray(1, char(0x97));
    }
    return QByteArray();
}

} // namespace GrblCommands
