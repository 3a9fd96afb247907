#include "material/testgrid.h"

#include "document/documenttemplate.h"
#include "document/documentwriter.h"
#include "document/engravingattributes.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

constexpr double unitsPerMm = 12.5;

// Label letters are about this many millimetres high: big enough to read,
// small enough to stay beside a 3 mm cell.
double labelSize(const TestGrid::Settings &settings)
{
    return std::clamp(settings.cellSize * 0.5, 1.5, 5.0);
}

// A generous advance of one label character ("m" is about one em, and the
// text layout adds 3 units between characters); the layout has no font at
// hand, and a wide guess only widens the margin.
double labelCharWidth(const TestGrid::Settings &settings)
{
    return labelSize(settings) + 3 / unitsPerMm;
}

QString units(double mm)
{
    return formatParameter(mm * unitsPerMm);
}

QStringList rowLabels(const TestGrid::Settings &settings)
{
    QStringList labels;
    const TestGrid::Parameter parameter = TestGrid::rowParameter(settings.axes);
    for (int i = 0; i < settings.rows.count; ++i)
        labels << TestGrid::valueLabel(parameter, TestGrid::value(settings.rows, i, parameter));
    return labels;
}

QStringList columnLabels(const TestGrid::Settings &settings)
{
    QStringList labels;
    const TestGrid::Parameter parameter = TestGrid::columnParameter(settings.axes);
    for (int i = 0; i < settings.columns.count; ++i)
        labels << TestGrid::valueLabel(parameter, TestGrid::value(settings.columns, i, parameter));
    return labels;
}

struct Layout
{
    QPointF cellOrigin; // top left of the first cell, mm
    double pitch = 0;   // cell size + gap
    QRectF all;         // everything engraved, frame included
};

Layout layout(const TestGrid::Settings &settings)
{
    Layout l;
    const double margin = settings.frame ? settings.gap : 0;
    double labelWidth = 0;
    double labelHeight = 0;
    if (settings.labels) {
        int longest = 0;
        for (const QString &label : rowLabels(settings))
            longest = std::max(longest, int(label.size()));
        labelWidth = longest * labelCharWidth(settings) + settings.gap;
        labelHeight = labelSize(settings) * 1.4 + settings.gap;
    }
    l.pitch = settings.cellSize + settings.gap;
    l.cellOrigin = QPointF(settings.left + margin + labelWidth, settings.top + margin + labelHeight);
    double right = l.cellOrigin.x() + settings.columns.count * l.pitch - settings.gap;
    if (settings.labels) {
        // The last column's label may be wider than its cell; the frame
        // must not cut through it.
        const QString last = columnLabels(settings).constLast();
        right = std::max(right, l.cellOrigin.x() + (settings.columns.count - 1) * l.pitch
                                        + last.size() * labelCharWidth(settings));
    }
    const double bottom = l.cellOrigin.y() + settings.rows.count * l.pitch - settings.gap;
    l.all = QRectF(QPointF(settings.left, settings.top), QPointF(right + margin, bottom + margin));
    return l;
}

// The nine engraving attributes, with the settings' defaults for the five
// that the grid does not set itself.
void appendParameters(TestGrid::Element &element, const TestGrid::Settings &settings, double power,
                      double speed, int passes, double lineInterval)
{
    const DefaultParameters &d = settings.defaults;
    element.names << EngravingAttributes::scanTimes << EngravingAttributes::scanBuffer
                  << EngravingAttributes::scanAccuracy << EngravingAttributes::scanAngle
                  << EngravingAttributes::scanError << EngravingAttributes::scanPower
                  << EngravingAttributes::scanSpeed << EngravingAttributes::XMotorMovementError
                  << EngravingAttributes::YMotorMovementError;
    element.values << formatParameter(passes) << formatParameter(d.scanBuffer)
                   << formatParameter(lineInterval) << formatParameter(d.scanAngle)
                   << formatParameter(d.scanError) << formatParameter(power) << formatParameter(speed)
                   << formatParameter(d.XMotorMovementError) << formatParameter(d.YMotorMovementError);
}

TestGrid::Element rectElement(const QRectF &mm, const QString &style)
{
    TestGrid::Element element;
    element.tag = QStringLiteral("rect");
    element.names << QStringLiteral("x") << QStringLiteral("y") << QStringLiteral("width")
                  << QStringLiteral("height") << QStringLiteral("style");
    element.values << units(mm.x()) << units(mm.y()) << units(mm.width()) << units(mm.height())
                   << style;
    return element;
}

// Eight bands from light grey to black, left to right: how the material
// takes each shade at the cell's power and speed.
QString greyBandsPicture()
{
    static const QString picture = [] {
        constexpr int bands = 8;
        constexpr int bandWidth = 10;
        QImage image(bands * bandWidth, 10, QImage::Format_Grayscale8);
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 255 - (x / bandWidth + 1) * 255 / bands;
            for (int y = 0; y < image.height(); ++y)
                image.scanLine(y)[x] = uchar(grey);
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    }();
    return picture;
}

TestGrid::Element labelElement(const TestGrid::Settings &settings, const QPointF &topLeft,
                               const QString &text)
{
    TestGrid::Element element;
    element.tag = QStringLiteral("text");
    // The layout takes the font size as a point size at 96 dpi: 0.75 of
    // the height in design units.
    const double fontSize = labelSize(settings) * unitsPerMm * 0.75;
    element.names << QStringLiteral("x") << QStringLiteral("y") << QStringLiteral("style");
    element.values << units(topLeft.x()) << units(topLeft.y())
                   << QStringLiteral("font-size:%1px;line-height:125%;font-family:sans-serif;"
                                     "letter-spacing:0px;fill:none;stroke:#000000;stroke-width:0.264583")
                              .arg(formatParameter(fontSize));
    appendParameters(element, settings, settings.labelPower, settings.labelSpeed, 1,
                     settings.lineInterval);
    element.text = text;
    return element;
}

} // namespace

TestGrid::Parameter TestGrid::rowParameter(Axes axes)
{
    switch (axes) {
    case Axes::SpeedPasses:
    case Axes::SpeedLineInterval:
        return Parameter::Speed;
    default:
        return Parameter::Power;
    }
}

TestGrid::Parameter TestGrid::columnParameter(Axes axes)
{
    switch (axes) {
    case Axes::PowerSpeed:
        return Parameter::Speed;
    case Axes::PowerPasses:
    case Axes::SpeedPasses:
        return Parameter::Passes;
    default:
        return Parameter::LineInterval;
    }
}

double TestGrid::value(const Range &range, int index, Parameter parameter)
{
    double v = range.from;
    if (range.count > 1)
        v = range.from + (range.to - range.from) * index / (range.count - 1);
    switch (parameter) {
    case Parameter::Passes:
        return std::max(1.0, std::round(v));
    case Parameter::LineInterval:
        return std::round(v * 10000) / 10000;
    default:
        // Percentages to a tenth keep the labels short.
        return std::round(v * 10) / 10;
    }
}

QString TestGrid::problem(const Settings &settings)
{
    auto within = [](double v, double low, double high) { return std::isfinite(v) && v >= low && v <= high; };
    auto rangeProblem = [&](const Range &range, Parameter parameter, const char *which) -> QString {
        if (range.count < 1 || range.count > 50)
            return QStringLiteral("%1 count must be 1 to 50").arg(QLatin1String(which));
        double low = 0;
        double high = 100;
        if (parameter == Parameter::Speed)
            low = 0.1;
        else if (parameter == Parameter::Passes)
            low = 1;
        else if (parameter == Parameter::LineInterval)
            low = 0.02;
        if (!within(range.from, low, high) || !within(range.to, low, high))
            return QStringLiteral("%1 values must lie within %2 to %3")
                    .arg(QLatin1String(which))
                    .arg(low)
                    .arg(high);
        return QString();
    };
    QString problem = rangeProblem(settings.rows, rowParameter(settings.axes), "row");
    if (problem.isEmpty())
        problem = rangeProblem(settings.columns, columnParameter(settings.axes), "column");
    if (!problem.isEmpty())
        return problem;
    if (!within(settings.power, 0, 100) || !within(settings.labelPower, 0, 100)
        || !within(settings.framePower, 0, 100))
        return QStringLiteral("power must lie within 0 to 100");
    if (!within(settings.speed, 0.1, 100) || !within(settings.labelSpeed, 0.1, 100)
        || !within(settings.frameSpeed, 0.1, 100))
        return QStringLiteral("speed must lie within 0.1 to 100");
    if (settings.passes < 1 || settings.passes > 100 || settings.framePasses < 1 || settings.framePasses > 100)
        return QStringLiteral("passes must lie within 1 to 100");
    if (!within(settings.lineInterval, 0.02, 100))
        return QStringLiteral("line interval must lie within 0.02 to 100 mm");
    if (!within(settings.cellSize, 0.5, 100))
        return QStringLiteral("cell size must lie within 0.5 to 100 mm");
    if (!within(settings.gap, 0, 100))
        return QStringLiteral("gap must lie within 0 to 100 mm");
    if (!within(settings.left, 0, 10000) || !within(settings.top, 0, 10000))
        return QStringLiteral("position must lie within 0 to 10000 mm");
    return QString();
}

QList<TestGrid::Cell> TestGrid::cells(const Settings &settings)
{
    const Layout l = layout(settings);
    const Parameter rowKind = rowParameter(settings.axes);
    const Parameter columnKind = columnParameter(settings.axes);
    QList<Cell> cells;
    for (int r = 0; r < settings.rows.count; ++r) {
        for (int c = 0; c < settings.columns.count; ++c) {
            Cell cell;
            cell.row = r;
            cell.column = c;
            cell.power = settings.power;
            cell.speed = settings.speed;
            cell.passes = settings.passes;
            cell.lineInterval = settings.lineInterval;
            const auto set = [&cell](Parameter kind, double v) {
                switch (kind) {
                case Parameter::Power: cell.power = v; break;
                case Parameter::Speed: cell.speed = v; break;
                case Parameter::Passes: cell.passes = int(v); break;
                case Parameter::LineInterval: cell.lineInterval = v; break;
                }
            };
            set(rowKind, value(settings.rows, r, rowKind));
            set(columnKind, value(settings.columns, c, columnKind));
            cell.rect = QRectF(l.cellOrigin.x() + c * l.pitch, l.cellOrigin.y() + r * l.pitch,
                               settings.cellSize, settings.cellSize);
            cells.append(cell);
        }
    }
    return cells;
}

QRectF TestGrid::bounds(const Settings &settings)
{
    return layout(settings).all;
}

double TestGrid::fastestSpeed(const Settings &settings)
{
    double fastest = 0;
    for (const Cell &cell : cells(settings))
        fastest = std::max(fastest, cell.speed);
    return fastest;
}

double TestGrid::heaviestDose(const Settings &settings)
{
    double heaviest = 0;
    for (const Cell &cell : cells(settings))
        heaviest = std::max(heaviest, cell.passes * cell.power);
    return heaviest;
}

QList<TestGrid::Element> TestGrid::elements(const Settings &settings)
{
    QList<Element> list;
    Element group;
    group.tag = QStringLiteral("g");
    list.append(group);

    const Layout l = layout(settings);
    const QStringList rows = rowLabels(settings);
    const QStringList columns = columnLabels(settings);
    for (const Cell &cell : cells(settings)) {
        Element element;
        switch (settings.mode) {
        case Mode::Fill:
            element = rectElement(cell.rect, QStringLiteral("fill:#000000;stroke:none"));
            break;
        case Mode::Outline:
            element = rectElement(cell.rect, ElementStyles::shape);
            break;
        case Mode::GreyPicture:
            element.tag = QStringLiteral("image");
            element.names << QStringLiteral("x") << QStringLiteral("y") << QStringLiteral("width")
                          << QStringLiteral("height") << QStringLiteral("preserveAspectRatio")
                          << QStringLiteral("xlink:href") << EngravingAttributes::image;
            element.values << units(cell.rect.x()) << units(cell.rect.y()) << units(cell.rect.width())
                           << units(cell.rect.height()) << QStringLiteral("none") << greyBandsPicture()
                           << EngravingAttributes::imageGray;
            break;
        }
        appendParameters(element, settings, cell.power, cell.speed, cell.passes, cell.lineInterval);
        element.names << cellAttribute;
        element.values << rows.at(cell.row) + QLatin1Char(' ') + columns.at(cell.column);
        list.append(element);
    }

    if (settings.labels) {
        const double size = labelSize(settings);
        for (int r = 0; r < rows.size(); ++r) {
            const double y = l.cellOrigin.y() + r * l.pitch + (settings.cellSize - size) / 2;
            list.append(labelElement(settings, QPointF(l.all.left() + (settings.frame ? settings.gap : 0), y),
                                     rows.at(r)));
        }
        const double y = l.cellOrigin.y() - settings.gap - size * 1.4;
        for (int c = 0; c < columns.size(); ++c)
            list.append(labelElement(settings, QPointF(l.cellOrigin.x() + c * l.pitch, y), columns.at(c)));
    }

    if (settings.frame) {
        Element frame = rectElement(l.all, ElementStyles::shape);
        appendParameters(frame, settings, settings.framePower, settings.frameSpeed, settings.framePasses,
                         settings.lineInterval);
        list.append(frame);
    }
    return list;
}

QDomElement TestGrid::build(QDomDocument &document, const Settings &settings)
{
    const QList<Element> list = elements(settings);
    QDomElement group;
    for (const Element &e : list) {
        QDomElement element = document.createElement(e.tag);
        for (int i = 0; i < e.names.size() && i < e.values.size(); ++i)
            element.setAttribute(e.names.at(i), e.values.at(i));
        if (!e.text.isEmpty())
            element.appendChild(document.createTextNode(e.text));
        if (group.isNull())
            group = element;
        else
            group.appendChild(element);
    }
    return group;
}

QString TestGrid::designText(const Settings &settings)
{
    QDomDocument document;
    document.setContent(newDocumentText());
    QDomElement layer = document.documentElement().firstChildElement(QStringLiteral("g"));
    layer.appendChild(build(document, settings));
    return toSvgText(document);
}

QString TestGrid::valueLabel(Parameter parameter, double value)
{
    const QString number = QString::number(value, 'g', 6);
    switch (parameter) {
    case Parameter::Power:
        return QStringLiteral("P") + number;
    case Parameter::Speed:
        return QStringLiteral("F") + number;
    case Parameter::Passes:
        return number + QStringLiteral("x");
    case Parameter::LineInterval:
        return number + QStringLiteral("mm");
    }
    return number;
}

namespace {
const QStringList axesNames{QStringLiteral("power-speed"), QStringLiteral("power-passes"),
                            QStringLiteral("speed-passes"), QStringLiteral("power-interval"),
                            QStringLiteral("speed-interval")};
const QStringList modeNames{QStringLiteral("fill"), QStringLiteral("outline"), QStringLiteral("picture")};
} // namespace

QString TestGrid::axesName(Axes axes)
{
    return axesNames.value(int(axes));
}

bool TestGrid::axesFromName(const QString &name, Axes *axes)
{
    const int index = axesNames.indexOf(name);
    if (index < 0)
        return false;
    *axes = Axes(index);
    return true;
}

QString TestGrid::modeName(Mode mode)
{
    return modeNames.value(int(mode));
}

bool TestGrid::modeFromName(const QString &name, Mode *mode)
{
    const int index = modeNames.indexOf(name);
    if (index < 0)
        return false;
    *mode = Mode(index);
    return true;
}
