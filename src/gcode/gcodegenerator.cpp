#include "gcode/gcodegenerator.h"

#include "gcode/foreignpaint.h"
#include "gcode/markerplacer.h"
#include "gcode/outlineitem.h"
#include "gcode/outlineshape.h"
#include "gcode/longpathfill.h"
#include "gcode/rastergroup.h"
#include "gcode/rastergroupsplit.h"
#include "gcode/rendertree.h"
#include "gcode/scanlinegenerator.h"
#include "gcode/shapeclipper.h"
#include "gcode/sortitemlist.h"
#include "gcode/vectorsink.h"

#include "document/documentwriter.h"
#include "document/inputlimits.h"
#include "document/picturereader.h"
#include "document/engravingattributes.h"
#include "document/styleresolver.h"
#include "document/svgfile.h"
#include "document/svggrammar.h"
#include "document/pathdatawriter.h"
#include "document/svgpicture.h"
#include "document/svgtextlayout.h"
#include "document/textoutline.h"
#include "import/bitmapprocessing.h"

#include <QDebug>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QRectF>
#include <QtMath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Segment pairs the containment tests of one job may compare, some seconds
// of work: 100 000 small separate outlines need a thousandth of it, 2 000
// nested rings listed inside out a hundredth; listed outside in, each ring is
// tested against all it contains, and they run out.
constexpr qint64 containmentBudget = 20000000000;

QDomElement firstSvgElement(const QDomDocument &document)
{
    return document.elementsByTagName(QStringLiteral("svg")).item(0).toElement();
}

QVector<QDomElement> elementsNamed(const QDomDocument &document, const QString &tag)
{
    // A copy: the live node list would be rebuilt after every change to the document.
    const QDomNodeList list = document.elementsByTagName(tag);
    QVector<QDomElement> elements;
    elements.reserve(list.size());
    for (int i = 0; i < list.size(); ++i)
        elements.append(list.item(i).toElement());
    return elements;
}

void setStyleDeclaration(QDomElement &element, const QString &name, const QString &value)
{
    SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
    style.insert(name, value);
    element.setAttribute(QStringLiteral("style"), SvgGrammar::styleToString(style));
}

// Why the job cannot go to an engraver: a number that is not finite, or a
// position beyond the machine's reach (relative moves summed up); empty when
// every record is sound.
QString unsoundRecord(const GCodeSink &job)
{
    QString problem;
    const double reach = InputLimits::maxCoordinateMm;
    double x = 0;
    double y = 0;
    qint64 i = -1;
    job.forEach([&](const GCodeBuffer &r) {
        ++i;
        for (double value : { r.G, r.X, r.Y, r.S, r.F, r.M }) {
            if (!qIsFinite(value)) {
                problem = QStringLiteral("line %1 holds a number that is not finite").arg(i + 1);
                return false;
            }
        }
        if (r.S != GCodeBuffer::absent && (r.S < 0 || r.S > InputLimits::maxFullScalePower)) {
            problem = QStringLiteral("line %1 sets the power to %2").arg(i + 1).arg(r.S);
            return false;
        }
        if (r.F > InputLimits::maxFullScaleSpeed || (r.F <= 0 && r.F != GCodeBuffer::absent)) {
            problem = QStringLiteral("line %1 sets the feed to %2").arg(i + 1).arg(r.F);
            return false;
        }
        if (r.absolute) {
            if (r.X != GCodeBuffer::absent)
                x = r.X;
            if (r.Y != GCodeBuffer::absent)
                y = r.Y;
        } else {
            x += r.X;
            y += r.Y;
        }
        if (std::fabs(x) > reach || std::fabs(y) > reach) {
            problem = QStringLiteral("line %1 moves the head to (%2, %3) mm, beyond %4 mm from the origin")
                              .arg(i + 1).arg(x).arg(y).arg(reach);
            return false;
        }
        return true;
    });
    return problem;
}

// Path elements of a group copy longer than the renderer fills whole; their
// numbers taken in pairs are a close count of the elements it builds.
int overlongPaths(const QDomDocument &copy)
{
    int count = 0;
    for (const char *tag : { "path", "polygon", "polyline" }) {
        const QDomNodeList list = copy.elementsByTagName(QLatin1String(tag));
        for (int i = 0; i < list.size(); ++i) {
            const QDomElement e = list.item(i).toElement();
            const QString data = e.attribute(qstrcmp(tag, "path") == 0 ? QStringLiteral("d") : QStringLiteral("points"));
            if (data.size() < 2 * LongPathFill::rendererLimit)
                continue;
            qint64 numbers = 0;
            bool inNumber = false;
            for (const QChar c : data) {
                const bool part = c.isDigit() || c == QLatin1Char('.');
                numbers += part && !inNumber;
                inNumber = part;
            }
            count += numbers / 2 > LongPathFill::rendererLimit;
        }
    }
    return count;
}

GCodeBuffer relative(GCodeBuffer record)
{
    record.X = 0;
    record.Y = 0;
    record.absolute = false;
    return record;
}

// The collection walk: outline-mode shapes leave the working copy as
// outlines (with the transforms of their ancestors), image and fill-mode
// elements add their parameter sets.
class Collector
{
public:
    Collector(const DefaultParameters &defaults, const StyleResolver &styles,
              PaintParameterList &parameters, QStringList *notes)
        : mDefaults(defaults), mStyles(styles), mParameters(parameters), mNotes(notes)
    {
    }

    QVector<OutlineItem> collect(const QDomElement &root)
    {
        QVector<OutlineItem> outlines;
        if (root.isNull())
            return outlines;
        // Depth first in document order with an explicit stack; each entry
        // carries the transforms and the paint of the element's ancestors.
        struct Entry
        {
            QDomElement element;
            QTransform enclosing;
            StyleResolver::Paint inherited;
        };
        std::vector<Entry> stack{ { root, QTransform(), mStyles.paint(root.parentNode().toElement()) } };
        while (!stack.empty()) {
            Entry entry = std::move(stack.back());
            stack.pop_back();
            QDomElement &element = entry.element;
            // What defs, symbols, clips, masks, markers and patterns hold is
            // drawn only where something refers to it.
            if (StyleResolver::isUnrendered(element.tagName()))
                continue;
            const StyleResolver::Paint paint = mStyles.paint(element, entry.inherited);
            if (visit(element, paint, entry.enclosing, outlines))
                continue;
            const QTransform inner = SvgGrammar::transformFromAttribute(element) * entry.enclosing;
            const size_t mark = stack.size();
            for (QDomElement child = element.firstChildElement(); !child.isNull();
                 child = child.nextSiblingElement())
                stack.push_back({ child, inner, paint });
            std::reverse(stack.begin() + mark, stack.end());
        }
        return outlines;
    }

private:
    // True when the element left the working copy.
    bool visit(QDomElement &element, const StyleResolver::Paint &paint, const QTransform &enclosing,
               QVector<OutlineItem> &outlines)
    {
        if (element.tagName() == QLatin1String("image"))
            mParameters.append(readPaintParameter(element, mDefaults, mNotes));
        const EngraveMode mode = mStyles.engraveMode(element, paint);
        // A group with "fill:none" is no shape to cut: its children decide for themselves.
        if (mode == EngraveMode::Outline && !StyleResolver::isContainer(element.tagName())) {
            const OutlineParameters p = readOutlineParameters(element, mNotes);
            const int passes = int(qMin(p.scanTimes, double(OutlineShape::maxPasses)));
            OutlineItem item;
            item.path = OutlineShape::elementPath(element, passes, enclosing);
            if (!withinReach(item.path.boundingRect())) {
                noteOnce(QStringLiteral("an outline beyond %1 mm from the origin is left out")
                                 .arg(InputLimits::maxCoordinateMm));
                item.path = QPainterPath();
            }
            item.power = p.scanPower;
            item.speed = p.scanSpeed;
            item.xBacklash = p.XMotorMovementError;
            item.yBacklash = p.YMotorMovementError;
            outlines.append(std::move(item));
            element.parentNode().removeChild(element);
            return true;
        }
        if (mode == EngraveMode::Fill)
            mParameters.append(readPaintParameter(element, mDefaults, mNotes));
        return false;
    }

    static bool withinReach(const QRectF &bounds)
    {
        const double reach = InputLimits::maxCoordinateMm / 0.08;
        return qIsFinite(bounds.left()) && qIsFinite(bounds.right()) && qIsFinite(bounds.top())
                && qIsFinite(bounds.bottom()) && std::fabs(bounds.left()) <= reach
                && std::fabs(bounds.right()) <= reach && std::fabs(bounds.top()) <= reach
                && std::fabs(bounds.bottom()) <= reach;
    }

    void noteOnce(const QString &text)
    {
        if (mNotes && !mNotes->contains(text))
            mNotes->append(text);
    }

    const DefaultParameters &mDefaults;
    const StyleResolver &mStyles;
    PaintParameterList &mParameters;
    QStringList *mNotes;
};

} // namespace

GCodeGenerator::GCodeGenerator()
    : mRasterPixelLimit(ScanLineGenerator::defaultRasterPixelLimit),
      mRecordLimit(ScanLineGenerator::defaultRecordLimit)
{
}

void GCodeGenerator::setPaintProperty(const QStringList &names, const QList<double> &values)
{
    const int count = qMin(names.size(), values.size());
    for (int i = 0; i < count; ++i) {
        const QString &name = names.at(i);
        const double value = values.at(i);
        if (name == QLatin1String("paintPower"))
            mPaintPower = fullScale(name, value, 0, InputLimits::maxFullScalePower, mPaintPower);
        else if (name == QLatin1String("paintSpeed"))
            mPaintSpeed = fullScale(name, value, InputLimits::minFullScaleSpeed,
                                    InputLimits::maxFullScaleSpeed, mPaintSpeed);
        else if (name == QLatin1String("printingAccuracy"))
            mRasterRatio = 0.08 / value;
        else if (name == QLatin1String("scanBuffer"))
            mScanBuffer = value;
        else if (name == QLatin1String("scanErr"))
            mScanErr = value;
        else if (name == QLatin1String("paintNum"))
            mPaintNum = value;
        else if (name == QLatin1String("paintDirection"))
            mPaintDirection = value;
    }
}

double GCodeGenerator::fullScale(const QString &name, double value, double minimum, double maximum,
                                 double previous)
{
    mPropertyNotes.remove(name);
    if (qIsNaN(value)) {
        mPropertyNotes.insert(name, QStringLiteral("%1 is not a number; %2 is kept").arg(name).arg(previous));
        return previous;
    }
    const double used = qBound(minimum, value, maximum);
    if (used != value)
        mPropertyNotes.insert(name, QStringLiteral("%1 %2 is out of range (%3 to %4); %5 is used")
                                            .arg(name).arg(value).arg(minimum).arg(maximum).arg(used));
    return used;
}

void GCodeGenerator::setDesignFile(const QString &path)
{
    mDesignFile = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!path.isEmpty())
        mBaseFolder = QFileInfo(path).absolutePath();
}

QVector<GCodeBuffer> GCodeGenerator::generate(const QString &svgText)
{
    mGcode.clear();
    VectorSink sink(mGcode);
    if (!generate(svgText, sink))
        mGcode = QVector<GCodeBuffer>();
    return mGcode;
}

bool GCodeGenerator::generate(const QString &svgText, GCodeSink &out)
{
    QElapsedTimer timer;
    timer.start();
    mSummary = Summary();
    mCancelled = false;
    mErrorString.clear();
    mJobError.clear();
    mImageMode.clear();
    mPaintParameterList.clear();
    // A job made elsewhere leaves no stale one here.
    mGcode.clear();
    out.truncate(0);
    mOut = &out;
    for (const QString &text : qAsConst(mPropertyNotes))
        note(text);
    appendHead();
    qDebug() << "mGcode.size" << mOut->size();

    QDomDocument working;
    QString parseError;
    int line = 0;
    int column = 0;
    if (!working.setContent(svgText, false, &parseError, &line, &column)) {
        mErrorString = QStringLiteral("not an SVG document: %1 at line %2, column %3")
                               .arg(parseError)
                               .arg(line)
                               .arg(column);
        working.clear();
    } else {
        SvgFile::removeSvgPrefix(working);
        if (firstSvgElement(working).isNull())
            mErrorString = QStringLiteral("no svg element in the document");
    }

    if (mTrueSize && RenderTree::scaleToTrueSize(working))
        mSummary.notes << QStringLiteral("engraved at the size its root gives: %1 x %2 mm")
                                  .arg(working.documentElement().attribute(QStringLiteral("width")).toDouble() / 12.5)
                                  .arg(working.documentElement().attribute(QStringLiteral("height")).toDouble() / 12.5);
    RenderTree::expandUses(working, &mSummary.notes);
    RenderTree::resolveViewports(working, &mSummary.notes);
    MarkerPlacer::placeMarkers(working);
    const StyleResolver styles(working);
    RenderTree::applyCascade(working, styles);
    ForeignPaint::resolve(working, styles);
    const ShapeClipper clipper(working);
    if (RenderTree::rendersNothing(working, styles)) {
        QDomElement root = working.documentElement();
        while (!root.firstChild().isNull())
            root.removeChild(root.firstChild());
    }
    RenderTree::removeHidden(working, styles);
    if (cancelRequested())
        return cancelJob();
    reportProgress(5);

    // Text from other programs is laid out as SVG lays it out; Plimb's own
    // keeps its described layout.
    if (!styles.isPlimbDesign()) {
        for (QDomElement text : elementsNamed(working, QStringLiteral("text"))) {
            const QPainterPath outline = SvgTextLayout::outline(text, styles);
            if (!outline.isEmpty()) {
                QDomElement path = working.createElement(QStringLiteral("path"));
                const QDomNamedNodeMap attributes = text.attributes();
                for (int i = 0; i < attributes.count(); ++i) {
                    const QDomAttr a = attributes.item(i).toAttr();
                    static const QStringList positions{ "x", "y", "dx", "dy", "rotate", "textLength" };
                    if (!positions.contains(a.name()))
                        path.setAttribute(a.name(), a.value());
                }
                path.setAttribute(QStringLiteral("d"), pathToData(outline));
                text.parentNode().insertBefore(path, text);
            }
            text.parentNode().removeChild(text);
        }
    }
    const QVector<QDomElement> texts = elementsNamed(working, QStringLiteral("text"));
    // The outline paths of a text carry its "style" only: what the sheet,
    // presentation attributes or ancestors give it goes into that first.
    for (QDomElement text : texts) {
        if (SvgGrammar::parseStyleDeclarations(text).contains(QStringLiteral("fill")))
            continue;
        bool found = false;
        const QString fill = styles.inheritedValue(text, QStringLiteral("fill"), &found);
        if (found || !styles.isPlimbDesign())
            setStyleDeclaration(text, QStringLiteral("fill"), found ? fill : QStringLiteral("#000000"));
    }
    for (const QDomElement &text : texts)
        textToOutline(text, mDefaults);
    for (QDomElement text : texts)
        text.parentNode().removeChild(text);
    if (cancelRequested())
        return cancelJob();
    reportProgress(10);

    reprocessImages(working);
    clipper.apply(working, styles, &mSummary.notes);
    if (cancelRequested())
        return cancelJob();
    reportProgress(20);

    mOut->append(relative(GCodeBuffer::g(90)));
    mOut->append(GCodeBuffer::m(4));
    mOut->append(GCodeBuffer::m(8));

    for (const QString &text : qAsConst(mSummary.notes))
        qDebug().noquote() << text;
    QStringList clamped;
    Collector collector(mDefaults, styles, mPaintParameterList, &clamped);
    const QVector<OutlineItem> outlines = collector.collect(firstSvgElement(working));
    for (const QString &text : qAsConst(clamped))
        note(text);
    qDebug() << "path.size()" << outlines.size();
    qint64 budget = containmentBudget;
    const QVector<OutlineItem> ordered =
            OutlineOrdering::flattenTree(OutlineOrdering::orderByContainment(outlines, &budget));
    if (budget <= 0)
        note(QStringLiteral("outlines nested too deeply to sort them all inside out"));
    if (cancelRequested())
        return cancelJob();
    reportProgress(30);

    int groupsDone = 0;
    QString tooLarge;
    bool anyWork = false;
    const RasterGroupSplit split(working, mPaintParameterList, mDefaults, styles);
    for (const PaintParameter &record : mPaintParameterList) {
        const qint64 mark = mOut->size();
        // The work begins with "M4", "M8" before whatever comes first.
        if (!anyWork) {
            mOut->append(GCodeBuffer::m(4));
            mOut->append(GCodeBuffer::m(8));
        }
        bool overflow = false;
        const bool made = rasterGroup(split, styles, record, &overflow);
        if (cancelRequested())
            return cancelJob();
        reportProgress(30 + 60 * ++groupsDone / mPaintParameterList.size());
        // Part of a picture missing from the job would be a failure passed
        // off as a job: the whole job is refused instead.
        if (overflow && tooLarge.isEmpty())
            tooLarge = QStringLiteral("raster group %1 makes more than %2 lines")
                               .arg(mPaintParameterList.indexOf(record) + 1)
                               .arg(mRecordLimit);
        // A group without records (no passes, nothing to render) is left
        // out; it must not cost the job its other passes and outlines.
        if (!made) {
            mOut->truncate(mark);
            note(QStringLiteral("raster group %1 has nothing to engrave and is left out")
                         .arg(mPaintParameterList.indexOf(record) + 1));
            continue;
        }
        anyWork = true;
        ++mSummary.rasterGroups;
    }
    SortItemList work;
    for (const OutlineItem &item : ordered) {
        if (item.path.isEmpty())
            continue;
        work.append(SortItem::outline(item.path, item.power, item.speed, item.xBacklash,
                                      item.yBacklash));
        ++mSummary.outlines;
    }
    if (cancelRequested())
        return cancelJob();
    QVector<GCodeBuffer> moves;
    work.toGcode(moves, mPaintPower, mPaintSpeed);
    // After raster passes the outlines follow a "G90" instead of their own
    // "M4", "M8".
    int firstMove = 0;
    if (anyWork && !moves.isEmpty()) {
        mOut->append(relative(GCodeBuffer::g(90)));
        firstMove = 2;
    }
    for (int i = firstMove; i < moves.size(); ++i)
        mOut->append(moves.at(i));
    moves = QVector<GCodeBuffer>();
    if (cancelRequested())
        return cancelJob();

    appendTail();
    // The last guard before the wire: a job the engraver cannot take is
    // replaced by the job of an empty design, and the reason kept.
    mJobError = tooLarge.isEmpty() ? unsoundRecord(*mOut) : tooLarge;
    if (mOut->failed())
        mJobError = QStringLiteral("the job could not be stored");
    if (!mJobError.isEmpty()) {
        note(QStringLiteral("no job made: %1").arg(mJobError));
        mOut->truncate(0);
        appendHead();
        mOut->append(relative(GCodeBuffer::g(90)));
        mOut->append(GCodeBuffer::m(4));
        mOut->append(GCodeBuffer::m(8));
        appendTail();
        mSummary.rasterGroups = 0;
        mSummary.outlines = 0;
    }
    mSummary.records = int(qMin<qint64>(mOut->size(), INT_MAX));
    mSummary.milliseconds = timer.elapsed();
    reportProgress(100);
    mOut = nullptr;
    return true;
}

bool GCodeGenerator::cancelJob()
{
    qDebug() << "job generation cancelled";
    mCancelled = true;
    if (mOut)
        mOut->truncate(0);
    mOut = nullptr;
    mPaintParameterList.clear();
    mSummary = Summary();
    mSummary.notes << QStringLiteral("generation cancelled");
    return {};
}

void GCodeGenerator::note(const QString &text)
{
    qDebug().noquote() << text;
    mSummary.notes << text;
}

void GCodeGenerator::appendHead()
{
    mOut->append(GCodeBuffer::g00());
    mOut->append(GCodeBuffer::g(17));
    mOut->append(GCodeBuffer::g(40));
    mOut->append(GCodeBuffer::g(21));
    mOut->append(GCodeBuffer::g(54));
    mOut->append(GCodeBuffer::m(106));
}

void GCodeGenerator::appendTail()
{
    mOut->append(GCodeBuffer::m(107));
    mOut->append(relative(GCodeBuffer::g(90)));
    mOut->append(GCodeBuffer::m(9));
    GCodeBuffer powerOff = GCodeBuffer::g(1);
    powerOff.S = 0;
    mOut->append(powerOff);
    mOut->append(GCodeBuffer::m(5));
    mOut->append(GCodeBuffer::g(90));
    GCodeBuffer home = GCodeBuffer::g(0);
    home.X = 0;
    home.Y = 0;
    mOut->append(home);
    mOut->append(GCodeBuffer::m(2));
}

void GCodeGenerator::reprocessImages(QDomDocument &working)
{
    const QString href = QStringLiteral("xlink:href");
    for (QDomElement image : elementsNamed(working, QStringLiteral("image"))) {
        // SVG 2 writes "href" without the prefix.
        if (!image.hasAttribute(href) && image.hasAttribute(QStringLiteral("href")))
            image.setAttribute(href, image.attribute(QStringLiteral("href")));
        // The job renders a copy written elsewhere, so a picture beside the
        // design is found by its full path only.
        QString reference;
        const QString path = SvgFile::pictureFile(image.attribute(href), mBaseFolder, &reference);
        QString problem;
        if (!reference.isEmpty()) {
            if (!QFileInfo::exists(path)) {
                note(QStringLiteral("image \"%1\" is not found and is not engraved").arg(reference));
                continue;
            }
            problem = PictureReader::fileProblem(path);
            if (problem.isEmpty())
                image.setAttribute(href, path);
        } else if (image.attribute(href).trimmed().startsWith(QLatin1String("data:"))) {
            problem = PictureReader::dataProblem(PictureReader::inlineBytes(image.attribute(href)));
            reference = QStringLiteral("data:");
        }
        // The renderer would open or decode it all the same: it leaves the job.
        if (!problem.isEmpty()) {
            note(QStringLiteral("image \"%1\" is not engraved: %2").arg(reference, problem));
            image.parentNode().removeChild(image);
        }
    }
    // Drawings shown as pictures become bitmaps here, each picture inside
    // them resolved with a guard against cycles, before any renderer sees them.
    SvgPicture::embedDrawings(working, mBaseFolder, &mSummary.notes,
                              mDesignFile.isEmpty() ? QStringList() : QStringList(mDesignFile));
    const bool plimbDesign = StyleResolver::declaresPlimbNamespace(working.documentElement());
    if (!plimbDesign)
        SvgPicture::fitPictures(working, &mSummary.notes);
    for (QDomElement image : elementsNamed(working, QStringLiteral("image"))) {
        qDebug() << "image halftoneBase64";
        const double width = SvgGrammar::attributeLength(image, QStringLiteral("width"));
        const double height = SvgGrammar::attributeLength(image, QStringLiteral("height"));
        const QString mode = StyleResolver::imageMode(image, plimbDesign);
        const QRectF shown = SvgGrammar::transformFromAttribute(image).mapRect(QRectF(0, 0, width, height));
        qDebug() << "imageType" << mode;
        if (mode != EngravingAttributes::imageBw && mode != EngravingAttributes::imageHalftone
            && mode != EngravingAttributes::imageGray)
            continue;
        qDebug() << mode;
        mImageMode = mode;

        // The processing scales an oversized picture down itself; the
        // renderer stretches it back to the image's size.
        // A linked picture (its full path by now) is processed like an embedded one.
        const QString file = SvgFile::pictureFile(image.attribute(href), mBaseFolder);
        const QString picture =
                file.isEmpty() ? BitmapProcessing::process(mode, image.attribute(href), shown.width(),
                                                           shown.height())
                               : BitmapProcessing::process(mode, BitmapProcessing::decodeFile(file),
                                                           shown.width(), shown.height());
        if (picture.isEmpty()) {
            note(QStringLiteral("an image left as stored: its picture cannot be processed"));
            continue;
        }
        // The line breaks of the Base64 text mean nothing to the renderer, but
        // every one of them becomes an escaped entity each time a group copy
        // is serialised, which costs seconds on a photograph.
        QString flat = picture;
        flat.remove(QLatin1Char('\r'));
        flat.remove(QLatin1Char('\n'));
        image.setAttribute(href, QStringLiteral("data:image/png;base64,") + flat);
    }
}

bool GCodeGenerator::rasterGroup(const RasterGroupSplit &split, const StyleResolver &styles,
                                 const PaintParameter &record, bool *tooLarge)
{
    const int index = mPaintParameterList.indexOf(record);
    QDomDocument copy = split.copy(index);
    LongPathFill::splitLongPaths(copy, styles, 0.08 / record.scanAccuracy);
    if (const int overlong = overlongPaths(copy))
        note(QStringLiteral("raster group %1: %2 filled path(s) of more than %3 segments are filled "
                            "only in part (the renderer stops there); split them into shorter paths")
                     .arg(index + 1)
                     .arg(overlong)
                     .arg(LongPathFill::rendererLimit));
    QString text = copy.toString(2);
    // Each group's copy would overwrite the last one's: the final group's is
    // the one left for inspection.
    if (index == mPaintParameterList.size() - 1)
        writeLogSvg(text);

    const QSizeF size = RasterGroup::designSize(copy);
    // A photograph's picture is held once here, not three times over while
    // the renderer decodes it.
    copy.clear();
    QByteArray svg = text.toUtf8();
    text.clear();
    double ratio = 1 / record.scanAccuracy * 0.08;
    mRasterRatio = ratio;
    if (!(ratio > 0) || !qIsFinite(ratio)) {
        note(QStringLiteral("scan accuracy %1 mm is out of range").arg(record.scanAccuracy));
        return false;
    }
    const double shrink = ScanLineGenerator::rasterScaleLimit(
            ratio * size.width(), ratio * size.height(), record.scanAngle, mRasterPixelLimit);
    if (shrink < 1) {
        ratio *= shrink;
        mRasterRatio = ratio;
        note(QStringLiteral("raster clamped to fit in memory: line spacing %1 mm instead of %2 mm")
                     .arg(0.08 / ratio)
                     .arg(record.scanAccuracy));
    }
    if (cancelRequested())
        return false;
    const RasterGroup::MarkedRaster raster = RasterGroup::renderMarked(svg, size, ratio);
    svg.clear();
    if (!raster.ok || cancelRequested())
        return false;

    ScanLineParameters parameters;
    parameters.pixelSize = float(0.08 / ratio);
    parameters.overscan = record.scanBuffer;
    parameters.imageMode = mImageMode;
    parameters.feed = record.scanSpeed / 100 * mPaintSpeed;
    parameters.fullPower = record.scanPower / 100 * mPaintPower;
    parameters.rowOffset = record.scanError;
    parameters.angle = record.scanAngle;
    parameters.passCount = record.scanTimes;
    ScanLineGenerator generator(parameters);
    generator.setRasterPixelLimit(mRasterPixelLimit);
    generator.setRecordLimit(mRecordLimit);
    generator.setCancelFlag(mCancelFlag);
    const bool made = generator.generate(raster.image, raster.fullSize, raster.origin, *mOut);
    *tooLarge = generator.exceededRecordLimit();
    return made;
}
