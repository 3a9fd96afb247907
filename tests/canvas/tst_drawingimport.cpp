#include "canvas/drawingplacer.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/importunitdialog.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/node.h"
#include "common/settingsnames.h"
#include "document/svgdocument.h"
#include "import/drawingimport.h"
#include "import/dxfreader.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QtTest>

// Drawings and traced outlines brought onto the canvas.
class TestDrawingImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void dxfIsCentredAtItsSize();
    void dxfIsMirroredUpright();
    void pltStaysWhereItIsDrawn();
    void importAddsAtTheChosenUnit_data();
    void importAddsAtTheChosenUnit();
    void unitChoiceIsRememberedPerFormat();
    void largeFilesAreReadInAnotherThread();
    void readingCanBeCancelled();
    void failuresComeBackAsMessages_data();
    void failuresComeBackAsMessages();
    void traceAddsOneOutlineOverTheImage();
    void traceNeedsOneImageWithSomethingDark_data();
    void traceNeedsOneImageWithSomethingDark();
    void traceIgnoresASelectedUserGroup();
    void linkedPictureTracesLikeEmbedded();
    void imageItemTracesItsOwnOutline_data();
    void imageItemTracesItsOwnOutline();
};

namespace {

QString fixture(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("PLIMB_TEST_DATA")) + QStringLiteral("/import/") + name;
}

QList<Node *> layerChildren(const SVGView &view, NodeType type)
{
    QList<Node *> found;
    for (Node *child : view.currentLayer()->cachedChildren()) {
        if (child->type() == type)
            found.append(child);
    }
    return found;
}

QRectF sceneBounds(const SVGView &view, NodeType type)
{
    QRectF united;
    for (Node *node : layerChildren(view, type)) {
        const auto *item = static_cast<const QGraphicsPathItem *>(view.itemOf(node));
        const QRectF bounds = item->sceneTransform().map(item->path()).boundingRect();
        united = united.isNull() ? bounds : united.united(bounds);
    }
    return united;
}

bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    return qAbs(a.left() - b.left()) < tolerance && qAbs(a.top() - b.top()) < tolerance
            && qAbs(a.right() - b.right()) < tolerance && qAbs(a.bottom() - b.bottom()) < tolerance;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Answers the next unit dialog with `unit` (or cancels it) once it shows,
// keeping the size text it showed for that unit.
void answerDialog(std::optional<ImportUnit> unit, QString *sizeText = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<ImportUnitDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (!unit) {
            dialog->reject();
            return;
        }
        dialog->unitBox()->setCurrentIndex(dialog->unitBox()->findData(int(*unit)));
        if (sizeText)
            *sizeText = dialog->sizeLabel()->text();
        dialog->accept();
    });
}

QString pngBase64(const QImage &picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

QImage discPicture(int size, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(size / 4.0, size / 4.0, size / 2.0, size / 2.0));
    painter.end();
    return image.convertToFormat(format);
}

} // namespace

void TestDrawingImport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDrawingImport::init()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.remove(SettingsNames::drawingImportGroup);
}

void TestDrawingImport::dxfIsCentredAtItsSize()
{
    SVGView view;
    QVERIFY(view.scene()->addDxf(fixture(QStringLiteral("line.dxf"))));
    QCOMPARE(layerChildren(view, NodeType::Path).size(), 1);
    // 10 mm is 125 units, centred in the 2000 x 2700 work area.
    const QRectF bounds = sceneBounds(view, NodeType::Path);
    QVERIFY2(near(bounds, QRectF(937.5, 1350, 125, 0), 1e-3), qPrintable(describe(bounds)));
}

// DXF has y up: an arc from 0 to 90 degrees must still run from the
// centre's right up to its top.
void TestDrawingImport::dxfIsMirroredUpright()
{
    SVGView view;
    QVERIFY(view.scene()->addDxf(fixture(QStringLiteral("arc.dxf"))));
    const QList<Node *> paths = layerChildren(view, NodeType::Path);
    QCOMPARE(paths.size(), 1);
    const auto *item = static_cast<const QGraphicsPathItem *>(view.itemOf(paths.first()));
    const QPainterPath shown = item->sceneTransform().map(item->path());
    const QPointF start = shown.pointAtPercent(0);
    const QPointF end = shown.pointAtPercent(1);
    QVERIFY(start.x() > end.x());
    QVERIFY(start.y() > end.y());
}

void TestDrawingImport::pltStaysWhereItIsDrawn()
{
    SVGView view;
    QFile file(fixture(QStringLiteral("square.plt")));
    QVERIFY(view.scene()->addPlt(file));
    const QList<Node *> paths = layerChildren(view, NodeType::Path);
    QCOMPARE(paths.size(), 1);
    // Plotter units (0.025 mm), y up: 100 units are 2.5 mm, mirrored in
    // place.
    QVERIFY(paths.first()->element().hasAttribute(QStringLiteral("transform")));
    const QRectF bounds = sceneBounds(view, NodeType::Path);
    QVERIFY2(qAbs(bounds.width() - 31.25) < 1e-6 && qAbs(bounds.height() - 31.25) < 1e-6
                     && qAbs(bounds.left()) < 1e-6 && qAbs(bounds.top()) < 1e-6,
             qPrintable(describe(bounds)));
}

void TestDrawingImport::importAddsAtTheChosenUnit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QSizeF>("size");

    QTest::newRow("inch drawing in inches") << "inches.dxf" << int(ImportUnit::Inch)
                                            << "50.80 × 25.40 毫米" << QSizeF(635, 317.5);
    QTest::newRow("millimetre drawing read as cm") << "line.dxf" << int(ImportUnit::Centimetre)
                                                   << "100.00 × 0.00 毫米" << QSizeF(1250, 0);
    QTest::newRow("plotter units") << "square.plt" << int(ImportUnit::Plotter) << "2.50 × 2.50 毫米"
                                   << QSizeF(31.25, 31.25);
}

void TestDrawingImport::importAddsAtTheChosenUnit()
{
    QFETCH(QString, file);
    QFETCH(int, unit);
    QFETCH(QString, sizeText);
    QFETCH(QSizeF, size);
    SVGView view;
    QString shown;
    answerDialog(ImportUnit(unit), &shown);
    QCOMPARE(DrawingPlacer::importDrawing(view.scene(), fixture(file), nullptr), QString());
    QCOMPARE(shown, sizeText);
    const QRectF bounds = sceneBounds(view, NodeType::Path);
    QVERIFY2(qAbs(bounds.width() - size.width()) < 1e-3 && qAbs(bounds.height() - size.height()) < 1e-3,
             qPrintable(describe(bounds)));
}

void TestDrawingImport::unitChoiceIsRememberedPerFormat()
{
    SVGView view;
    answerDialog(ImportUnit::Centimetre);
    QCOMPARE(DrawingPlacer::importDrawing(view.scene(), fixture(QStringLiteral("circle.dxf")), nullptr), QString());

    const ImportedDrawing unstated = DxfReader::read(fixture(QStringLiteral("arc.dxf")));
    QCOMPARE(int(ImportUnitDialog::initialUnit(unstated)), int(ImportUnit::Centimetre));
    // A unit named in the file wins over the remembered one.
    const ImportedDrawing inches = DxfReader::read(fixture(QStringLiteral("inches.dxf")));
    QCOMPARE(int(ImportUnitDialog::initialUnit(inches)), int(ImportUnit::Inch));
    // PLT files keep their own choice, plotter units by default.
    QFile plt(fixture(QStringLiteral("square.plt")));
    QVERIFY(plt.open(QIODevice::ReadOnly));
    QCOMPARE(int(ImportUnitDialog::initialUnit(DrawingImport::readPlt(plt))), int(ImportUnit::Plotter));

    // Cancelling adds nothing and forgets nothing.
    const int before = layerChildren(view, NodeType::Path).size();
    answerDialog(std::nullopt);
    QCOMPARE(DrawingPlacer::importDrawing(view.scene(), fixture(QStringLiteral("line.dxf")), nullptr), QString());
    QCOMPARE(layerChildren(view, NodeType::Path).size(), before);
    QCOMPARE(int(ImportUnitDialog::initialUnit(unstated)), int(ImportUnit::Centimetre));
}

// Large files were read on the GUI thread, which froze the window; the
// threshold is lowered to zero to take the background road.
void TestDrawingImport::largeFilesAreReadInAnotherThread()
{
    bool cancelled = true;
    const ImportedDrawing drawing =
            DrawingPlacer::readDrawing(fixture(QStringLiteral("binary.dxf")), nullptr, &cancelled, 0);
    QVERIFY(!cancelled);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.bounds(), DxfReader::read(fixture(QStringLiteral("binary.dxf"))).bounds());
}

void TestDrawingImport::readingCanBeCancelled()
{
    // The insert bomb keeps the reader busy long enough to be cancelled.
    QTimer::singleShot(0, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            // What the Cancel button does.
            if (auto *progress = qobject_cast<QProgressDialog *>(widget))
                emit progress->canceled();
        }
    });
    bool cancelled = false;
    const ImportedDrawing drawing =
            DrawingPlacer::readDrawing(fixture(QStringLiteral("insertbomb.dxf")), nullptr, &cancelled, 0);
    QVERIFY(cancelled);
    QVERIFY(drawing.isEmpty());
}

void TestDrawingImport::failuresComeBackAsMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing dxf") << "missing.dxf";
    QTest::newRow("empty dxf") << "empty.dxf";
    QTest::newRow("nothing drawable") << "nothingdrawable.dxf";
    QTest::newRow("missing plt") << "missing.plt";
}

// A file that cannot be read was reported on standard error only.
void TestDrawingImport::failuresComeBackAsMessages()
{
    QFETCH(QString, file);
    SVGView view;
    QVERIFY(!DrawingPlacer::importDrawing(view.scene(), fixture(file), nullptr).isEmpty());
    QVERIFY(layerChildren(view, NodeType::Path).isEmpty());
}

void TestDrawingImport::traceAddsOneOutlineOverTheImage()
{
    SVGView view;
    view.scene()->addImage(pngBase64(discPicture(100)), 200, 200);
    Node *image = view.scene()->drawingNode();
    QVERIFY(image);
    image->applyAttribute(QStringLiteral("x"), QStringLiteral("30"));
    image->applyAttribute(QStringLiteral("transform"), QStringLiteral("translate(10,20)"));
    QVERIFY(view.itemOf(image)->isSelected());

    view.scene()->traceSelectedImage();
    const QList<Node *> paths = layerChildren(view, NodeType::Path);
    QCOMPARE(paths.size(), 1);
    QCOMPARE(view.scene()->drawingNode(), paths.first());
    QVERIFY(view.itemOf(paths.first())->isSelected());
    // The disc is the middle half of the picture shown 200 units wide.
    const QRectF bounds = sceneBounds(view, NodeType::Path);
    QVERIFY2(near(bounds, QRectF(40 + 50, 20 + 50, 100, 100), 1.5), qPrintable(describe(bounds)));
    QCOMPARE(layerChildren(view, NodeType::Image).size(), 1);
}

void TestDrawingImport::traceNeedsOneImageWithSomethingDark_data()
{
    QTest::addColumn<QString>("body");
    QImage white(10, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QString image = QStringLiteral("<image x='0' y='0' width='%1' height='%2' xlink:href='data:image/png;base64,%3'/>");
    QTest::newRow("a rectangle") << "<rect x='0' y='0' width='10' height='10'/>";
    QTest::newRow("a white picture") << image.arg(10).arg(10).arg(pngBase64(white));
    QTest::newRow("an image shown below one unit") << image.arg(0.5).arg(10).arg(pngBase64(discPicture(10)));
    QTest::newRow("an image without picture") << "<image x='0' y='0' width='10' height='10'/>";
}

void TestDrawingImport::traceNeedsOneImageWithSomethingDark()
{
    QFETCH(QString, body);
    SVGView view;
    view.document()->setSvgText(QStringLiteral(
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
            "xmlns:tolvenrik='urn:tolvenrik'><g>%1</g></svg>").arg(body));
    const QList<Node *> children = view.currentLayer()->cachedChildren();
    QCOMPARE(children.size(), 1);
    view.scene()->traceSelectedImage();
    QCOMPARE(view.currentLayer()->cachedChildren().size(), 1);
    if (QGraphicsItem *item = view.itemOf(children.first()))
        item->setSelected(true);
    view.scene()->traceSelectedImage();
    QCOMPARE(view.currentLayer()->cachedChildren().size(), 1);
    QCOMPARE(view.undoStack().count(), 0);
}

// A user group has no element; its type was read all the same.
void TestDrawingImport::traceIgnoresASelectedUserGroup()
{
    SVGView view;
    view.scene()->addImage(pngBase64(discPicture(40)), 40, 40);
    QGraphicsItem *image = view.itemOf(view.scene()->drawingNode());
    auto *group = new GraphicsGroupItem(&view);
    view.scene()->addItem(group);
    group->setMembers({image});
    group->setFlag(QGraphicsItem::ItemIsSelectable);
    view.scene()->clearSelection();
    group->setSelected(true);
    QCOMPARE(view.scene()->selectedItems(), QList<QGraphicsItem *>{group});
    view.scene()->traceSelectedImage();
    QVERIFY(layerChildren(view, NodeType::Path).isEmpty());
}

// A picture beside the design traced to nothing: only inline data was decoded.
void TestDrawingImport::linkedPictureTracesLikeEmbedded()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QImage picture = discPicture(60);
    QVERIFY(picture.save(folder.filePath("disc.png")));

    const auto traced = [&](const QString &href) {
        SVGView view;
        view.document()->setBaseFolder(folder.path());
        view.document()->setSvgText(
                QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                               "xmlns:tolvenrik='urn:tolvenrik'><g><image x='7' y='9' width='90' height='45' "
                               "transform='rotate(15)' xlink:href='%1'/></g></svg>")
                        .arg(href));
        const QList<Node *> images = layerChildren(view, NodeType::Image);
        if (images.size() != 1 || !view.itemOf(images.first()))
            return QString();
        view.itemOf(images.first())->setSelected(true);
        view.scene()->traceSelectedImage();
        const QList<Node *> paths = layerChildren(view, NodeType::Path);
        return paths.size() == 1 ? paths.first()->element().attribute(QStringLiteral("d")) : QString();
    };

    const QString embedded = traced(QStringLiteral("data:image/png;base64,") + pngBase64(picture));
    QVERIFY(embedded.startsWith(QLatin1String("M")));
    QCOMPARE(traced(QStringLiteral("disc.png")), embedded);
    QCOMPARE(traced(QUrl::fromLocalFile(folder.filePath("disc.png")).toString()), embedded);
    // A folder in the picture's place is not read (and nothing is traced).
    QVERIFY(QDir(folder.path()).mkdir("folder.png"));
    QCOMPARE(traced(QStringLiteral("folder.png")), QString());
}

void TestDrawingImport::imageItemTracesItsOwnOutline_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("32-bit") << int(QImage::Format_RGB32);
    // Grey, mono and indexed pictures crashed the item's own trace.
    QTest::newRow("grey") << int(QImage::Format_Grayscale8);
    QTest::newRow("mono") << int(QImage::Format_Mono);
    QTest::newRow("indexed") << int(QImage::Format_Indexed8);
}

void TestDrawingImport::imageItemTracesItsOwnOutline()
{
    QFETCH(int, format);
    SVGView view;
    view.scene()->addImage(pngBase64(discPicture(40, QImage::Format(format))), 40, 40);
    auto *item = qgraphicsitem_cast<GraphicsImageItem *>(view.itemOf(view.scene()->drawingNode()));
    QVERIFY(item);
    QVERIFY2(near(item->outline().boundingRect(), QRectF(10, 10, 20, 20), 1), qPrintable(describe(item->outline().boundingRect())));
}

QTEST_MAIN(TestDrawingImport)
#include "tst_drawingimport.moc"
