#pragma once

#include "document/defaultparameters.h"

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// A material test: a grid of cells, each engraved with its own pair of
// values, so that one run shows which settings give the wanted result. The
// grid is an ordinary design: every cell is an element carrying all nine
// engraving attributes, so the canvas, the preview, the estimate and the
// job treat it like any drawing.
class TestGrid
{
public:
    enum class Parameter { Power, Speed, Passes, LineInterval };
    // Which parameter varies down the rows (first) and across the columns.
    enum class Axes { PowerSpeed, PowerPasses, SpeedPasses, PowerLineInterval, SpeedLineInterval };
    enum class Mode {
        Fill,        // filled squares, scanned line by line
        Outline,     // squares cut along their outline
        GreyPicture, // a picture of grey bands, engraved in grey levels
    };

    // `count` values from `from` to `to` in even steps; one value is `from`.
    struct Range
    {
        double from = 0;
        double to = 0;
        int count = 1;
    };

    struct Settings
    {
        Axes axes = Axes::PowerSpeed;
        Range rows{20, 100, 5};
        Range columns{20, 100, 5};
        // The values of the parameters that do not vary.
        double power = 50;      // %
        double speed = 50;      // %
        int passes = 1;
        double lineInterval = 0.1; // mm
        Mode mode = Mode::Fill;
        double cellSize = 5;    // mm
        double gap = 2;         // mm
        double left = 5;        // mm, top left corner of the whole grid
        double top = 5;
        // Row and column values engraved beside the grid, lightly and fast,
        // so they mark the material without cutting it.
        bool labels = true;
        double labelPower = 15;
        double labelSpeed = 100;
        // A cut around everything, to take the test piece out.
        bool frame = false;
        double framePower = 100;
        double frameSpeed = 10;
        int framePasses = 1;
        // Scan angle, overscan, scan offset and backlash of every element.
        DefaultParameters defaults;
    };

    // One element of the grid: what SVGView::addNode and the DOM both take.
    struct Element
    {
        QString tag;
        QStringList names;
        QStringList values;
        QString text; // for "text" elements
    };

    struct Cell
    {
        int row = 0;
        int column = 0;
        double power = 0;
        double speed = 0;
        int passes = 1;
        double lineInterval = 0;
        QRectF rect; // mm
    };

    static Parameter rowParameter(Axes axes);
    static Parameter columnParameter(Axes axes);
    // The value at `index` of a range of `parameter`: pass counts are whole
    // numbers of at least 1.
    static double value(const Range &range, int index, Parameter parameter);

    // Empty when the settings make a grid; otherwise what is wrong, in English
    // (the dialog's fields cannot produce these; the command line can).
    static QString problem(const Settings &settings);

    static QList<Cell> cells(const Settings &settings);
    // Everything the grid engraves (labels and frame included), mm.
    static QRectF bounds(const Settings &settings);

    // The group element first, then its children in order.
    static QList<Element> elements(const Settings &settings);
    // The grid as a "g" element of `document`, not yet inserted anywhere.
    static QDomElement build(QDomDocument &document, const Settings &settings);
    // A new design with the grid in its drawing layer, as saved.
    static QString designText(const Settings &settings);

    // The fastest cell speed (%) and the largest passes x power (%) of any
    // cell, for the warnings before a grid is made.
    static double fastestSpeed(const Settings &settings);
    static double heaviestDose(const Settings &settings);
    // Passes x power from which a cell is likely to burn through thin stock.
    static constexpr double heavyDose = 300;

    // A cell's label ("P60", "F30", "3x", "0.1mm").
    static QString valueLabel(Parameter parameter, double value);

    // Names used on the command line and in the dialog's settings.
    static QString axesName(Axes axes);
    static bool axesFromName(const QString &name, Axes *axes);
    static QString modeName(Mode mode);
    static bool modeFromName(const QString &name, Mode *mode);

    // Marks a cell element with its row and column values, so a cell picked
    // on the canvas can be named after them.
    static inline const QString cellAttribute = QStringLiteral("tolvenrik:testCell");
};
