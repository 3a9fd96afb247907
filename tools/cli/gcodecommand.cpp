#include "commands.h"

#include "document/defaultparameters.h"
#include "document/documenttemplate.h"
#include "document/svgdocument.h"
#include "document/svgfile.h"
#include "gcode/gcodefile.h"
#include "gcode/gcodegenerator.h"
#include "gcode/jobfile.h"
#include "gcode/jobtimeestimator.h"
#include "gcode/previewimage.h"
#include "gcode/previewpaths.h"
#include "gcode/rendertree.h"
#include "gcode/storedfullscale.h"
#include "import/drawingimport.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

// Without --verbose the generator's debug log stays quiet; warnings still show.
void quietDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QTextStream(stderr) << message << "\n";
}

int usage(const QString &problem)
{
    QTextStream err(stderr);
    err << "plimb-cli gcode: " << problem << "\n"
        << "usage: plimb-cli gcode DESIGN.svg|DRAWING.dxf|DRAWING.plt -o JOB.gc [--power S] [--speed F]\n"
        << "                      [--unit mm|cm|in|ft|m|plotter|design|...] [--true-size] [--preview PNG]\n"
        << "                      [--verbose]\n";
    return 2;
}

int failure(const QString &message)
{
    QTextStream(stderr) << "plimb-cli gcode: " << message << "\n";
    return 1;
}

// A full-scale value: a finite number above 0.
bool readScale(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && qIsFinite(*value) && *value > 0;
}

// A new design holding the drawing, placed as the program's Open places it.
bool drawingAsDesign(const QString &path, const QString &unitName, QString *design, QString *error)
{
    const ImportedDrawing drawing = DrawingImport::read(path);
    if (!drawing.ok()) {
        *error = drawing.error;
        return false;
    }
    // As the program says when Open finds nothing to add.
    if (drawing.isEmpty()) {
        *error = QStringLiteral("the file holds no drawing");
        return false;
    }
    ImportUnit unit = drawing.unit;
    if (!unitName.isEmpty())
        ImportUnits::fromName(unitName, &unit);
    QDomDocument document;
    if (!document.setContent(newDocumentText())) {
        *error = QStringLiteral("the new-design template cannot be read");
        return false;
    }
    const QDomElement root = document.documentElement();
    const QSizeF workArea(root.attribute(QStringLiteral("width")).toDouble(),
                          root.attribute(QStringLiteral("height")).toDouble());
    DrawingImport::appendToDesign(document, DrawingImport::place(drawing, unit, workArea));
    *design = document.toString(2);
    return true;
}

} // namespace

int runGcodeCommand(const QStringList &arguments)
{
    QString designPath;
    QString jobPath;
    QString picturePath;
    QStringList names;
    QList<double> values;
    QString unitName;
    bool verbose = false;
    bool trueSize = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool takesValue = argument == QLatin1String("-o") || argument == QLatin1String("--output")
                || argument == QLatin1String("--power") || argument == QLatin1String("--speed")
                || argument == QLatin1String("--unit") || argument == QLatin1String("--preview");
        if (argument == QLatin1String("--verbose")) {
            verbose = true;
        } else if (argument == QLatin1String("--true-size")) {
            trueSize = true;
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                return usage(QStringLiteral("%1 needs a value").arg(argument));
            const QString value = arguments.at(++i);
            if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
                jobPath = value;
                continue;
            }
            if (argument == QLatin1String("--unit")) {
                ImportUnit unit;
                if (!ImportUnits::fromName(value, &unit))
                    return usage(QStringLiteral("--unit must be one of %1, not \"%2\"")
                                         .arg(ImportUnits::names().join(QStringLiteral(", ")), value));
                unitName = value;
                continue;
            }
            if (argument == QLatin1String("--preview")) {
                picturePath = value;
                continue;
            }
            double scale = 0;
            if (!readScale(value, &scale))
                return usage(QStringLiteral("%1 must be a number above 0, not \"%2\"").arg(argument, value));
            names << (argument == QLatin1String("--power") ? QStringLiteral("paintPower")
                                                           : QStringLiteral("paintSpeed"));
            values << scale;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(argument));
        } else if (designPath.isEmpty()) {
            designPath = argument;
        } else {
            return usage(QStringLiteral("more than one design given"));
        }
    }
    if (designPath.isEmpty())
        return usage(QStringLiteral("no design given"));
    if (jobPath.isEmpty())
        return usage(QStringLiteral("no output file given (-o JOB.gc)"));

    // Readers and libraries log as they go; without --verbose only
    // warnings reach standard error.
    if (!verbose)
        qInstallMessageHandler(quietDebug);
    QString text;
    if (DrawingImport::isDrawingFile(designPath)) {
        QString error;
        if (!drawingAsDesign(designPath, unitName, &text, &error))
            return failure(QStringLiteral("cannot read %1: %2").arg(designPath, error));
    } else {
        if (!unitName.isEmpty())
            return usage(QStringLiteral("--unit is for .dxf and .plt drawings"));
        QString readError;
        if (!SvgFile::readDesign(designPath, &text, &readError))
            return failure(QStringLiteral("cannot read %1: %2").arg(designPath, readError));
    }

    // The same generator and defaults as the program's Save G-code.
    QStringList notes;
    const DefaultParameters defaults = StoredDefaults::load(&notes).defaultParameters();
    if (trueSize) {
        // As the program adds such a drawing: scaled before it is opened.
        QDomDocument raw;
        if (raw.setContent(text, false)) {
            SvgFile::removeSvgPrefix(raw);
            if (RenderTree::scaleToTrueSize(raw)) {
                const QDomElement root = raw.documentElement();
                notes << QStringLiteral("engraved at the size its root gives: %1 x %2 mm")
                                 .arg(root.attribute(QStringLiteral("width")).toDouble() / 12.5)
                                 .arg(root.attribute(QStringLiteral("height")).toDouble() / 12.5);
                text = raw.toString(2);
            }
        }
    }
    // Opened as the program opens it: every drawable gets the default set
    // it lacks, so Save G-code in the program gives this very job.
    // The opened document goes before generation: a photograph's picture
    // would otherwise be held by it all along.
    {
        SVGDocument opened;
        opened.setDefaultParameters(defaults);
        if (opened.setSvgText(text)
            && opened.domDocument().documentElement().tagName() == QLatin1String("svg")) {
            text = opened.toSvgText();
            notes << opened.loadNotes();
        }
    }
    GCodeGenerator generator;
    generator.setDefaultParameters(defaults);
    // The operate panel's stored power and speed, as the program starts with.
    const StoredFullScale scale = StoredFullScale::load(&notes);
    generator.setPaintProperty({QStringLiteral("paintPower"), QStringLiteral("paintSpeed")},
                               {scale.paintPower, scale.paintSpeed});
    generator.setPaintProperty(names, values);
    generator.setDesignFile(designPath);
    // The job goes to a file in the cache folder as it is made, so a
    // full-bed photograph needs no memory for its millions of lines.
    JobFile job;
    if (!job.open())
        return failure(QStringLiteral("cannot store the job of %1: %2").arg(designPath, job.errorString()));
    generator.setRecordLimit(GCodeGenerator::streamedRecordLimit);
    generator.generate(text, job);
    if (!generator.isValidInput())
        return failure(QStringLiteral("%1 is not a design: %2").arg(designPath, generator.errorString()));
    for (const QString &note : notes + generator.summary().notes)
        QTextStream(stderr) << "plimb-cli gcode: note: " << note << "\n";
    if (job.failed())
        return failure(QStringLiteral("cannot store the job of %1: %2").arg(designPath, job.errorString()));
    // Never a file that send would refuse or the engraver could not take.
    if (!generator.jobError().isEmpty())
        return failure(QStringLiteral("no job written for %1: %2").arg(designPath, generator.jobError()));

    QString error;
    if (!writeGCodeFile(jobPath, job, &error))
        return failure(QStringLiteral("cannot write %1: %2").arg(jobPath, error));
    if (!picturePath.isEmpty()) {
        PreviewPaths paths(previewFullPower);
        paths.drawJob(job);
        if (!writePreviewPicture(paths, picturePath, PreviewImage::defaultWidth, &error))
            return failure(QStringLiteral("cannot write %1: %2").arg(picturePath, error));
    }

    const GCodeGenerator::Summary &summary = generator.summary();
    // The engraving time on the emulator's machine; plimb-cli estimate takes
    // the engraver's own settings. The estimate holds the job in memory, so
    // a job too large for that goes without it.
    constexpr qint64 estimateRecordLimit = 2000000;
    const double seconds = job.size() <= estimateRecordLimit ? JobTimeEstimator::estimate(job.toVector()).seconds : -1;
    QTextStream(stdout) << QStringLiteral("%1: %2 records, %3 raster groups, %4 outlines, %5 ms, %6\n")
                                   .arg(jobPath)
                                   .arg(summary.records)
                                   .arg(summary.rasterGroups)
                                   .arg(summary.outlines)
                                   .arg(summary.milliseconds)
                                   .arg(seconds < 0 ? QStringLiteral("engraving time not estimated")
                                                    : QStringLiteral("about %1 to engrave")
                                                              .arg(JobTimeEstimator::formatDuration(seconds)));
    return 0;
}
