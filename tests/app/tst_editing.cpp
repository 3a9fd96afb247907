#include "app/actionset.h"
#include "app/filecommands.h"
#include "app/mainwindow.h"
#include "canvas/resizepoint.h"
#include "canvas/scene.h"
#include "canvas/selectitem.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "panelfixture.h"
#include "panels/itemproperty.h"
#include "pinnedfonts.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicstextitem.h"
#include "import/bitmapprocessing.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QtTest>

using PanelFixture::child;

namespace {

constexpr double mmPerUnit = 0.08;

// The real window as a user meets it: the mouse on the design view, the
// keyboard on the panel's fields and on the window's shortcuts.
class Editor
{
public:
    Editor()
    {
        window.fileCommands()->setFileChooser(
                std::make_unique<ScriptedChooser>(QList<QStringList>{}, QStringList{}));
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
        // The view is fitted once the window has its size.
        QCoreApplication::processEvents();
        view = qobject_cast<QGraphicsView *>(window.centralWidget());
    }

    Scene *scene() const { return window.svgView()->scene(); }
    ItemProperty *panel() const { return window.itemProperty(); }
    QDoubleSpinBox *field(const char *name) const { return child<QDoubleSpinBox>(panel(), name); }
    Node *node(const QString &id) const { return DesignFixture::nodeById(window.svgView()->document(), id); }

    QPoint at(const QPointF &scenePoint) const { return view->mapFromScene(scenePoint); }
    void press(const QPointF &p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(view->viewport(), Qt::LeftButton, modifiers, at(p));
    }
    void moveTo(const QPointF &p)
    {
        QMouseEvent event(QEvent::MouseMove, at(p), view->viewport()->mapToGlobal(at(p)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &event);
    }
    void release(const QPointF &p) { QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(p)); }
    void drag(const QPointF &from, const QPointF &to)
    {
        press(from);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to);
    }
    void click(const QPointF &p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(p, modifiers);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, modifiers, at(p));
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        view->setFocus();
        QTest::keyClick(view, Qt::Key(key), modifiers);
    }
    // The grid takes clicks only while something is selected.
    void setAnchor(int point)
    {
        QAbstractButton *button = panel()->findChild<QButtonGroup *>()->button(point);
        QVERIFY(button->isEnabled());
        button->click();
    }

    // The selection's bounds as the canvas holds them, in design units.
    QRectF selectionBounds() const
    {
        SelectItem *frame = scene()->selectFrame();
        return frame ? scene()->selectionBounds(frame->items()) : QRectF();
    }

    MainWindow window;
    QGraphicsView *view = nullptr;
};

// Within the panel's three decimals.
void compareMm(double shown, double expected, const char *what)
{
    QVERIFY2(qAbs(shown - expected) <= 0.0011,
             qPrintable(QStringLiteral("%1: shown %2, real %3").arg(what).arg(shown).arg(expected)));
}

// The panel's four numbers against the bounds, for the anchor `point`.
void comparePanel(Editor &editor, int point)
{
    const QRectF b = editor.selectionBounds();
    QVERIFY(!b.isEmpty());
    compareMm(editor.field("x")->value(), (b.x() + b.width() * (point % 3) / 2) * mmPerUnit, "x");
    compareMm(editor.field("y")->value(), (b.y() + b.height() * (point / 3) / 2) * mmPerUnit, "y");
    compareMm(editor.field("width")->value(), b.width() * mmPerUnit, "width");
    compareMm(editor.field("height")->value(), b.height() * mmPerUnit, "height");
    // The frame is drawn where the items are.
    const SelectItem *frame = editor.scene()->selectFrame();
    const QRectF drawn = frame->mapRectToScene(frame->rect());
    QVERIFY2(qAbs(drawn.left() - b.left()) < 0.01 && qAbs(drawn.bottom() - b.bottom()) < 0.01,
             "frame not fitted");
}

// An outline ellipse and an open polyline, the kinds whose item rectangle
// and real bounds differ.
void addTwoShapes(Editor &editor)
{
    SVGView *view = editor.window.svgView();
    QVERIFY(view->addNode(QStringLiteral("ellipse"), {"id", "cx", "cy", "rx", "ry", "style"},
                          {"e", "300", "300", "100", "60", "fill:none"}));
    QVERIFY(view->addNode(QStringLiteral("path"), {"id", "d", "style"},
                          {"p", "M600,200 L700,420 L640,460", "fill:none"}));
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void panelShowsTheBoundsAfterEveryEdit_data();
    void panelShowsTheBoundsAfterEveryEdit();
    void typedPositionKeepsTheOtherAxis();
    void undoFollowsTheHistoryNotTheSelection();
    void parameterEditIsOneUndoStepAndAsksToSave();
    void alignLeftWithALineShape();
    void clickInsideAnOutlineShapeSelectsIt_data();
    void clickInsideAnOutlineShapeSelectsIt();
    void rightClickEndsAPolylineWithoutAMenu();
    void textShowsTheFamilyItIsDrawnWith();
    void canvasShowsThePictureAsItsModeBurnsIt();
};

void TestEditing::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

enum class Edit { Move, Width, RotateHandle, RotateField, AlignLeft, Undo, Redo, Anchor };
Q_DECLARE_METATYPE(Edit)

void TestEditing::panelShowsTheBoundsAfterEveryEdit_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::newRow("move") << Edit::Move;
    QTest::newRow("width field") << Edit::Width;
    QTest::newRow("rotate handle") << Edit::RotateHandle;
    QTest::newRow("rotate field") << Edit::RotateField;
    QTest::newRow("align left") << Edit::AlignLeft;
    QTest::newRow("undo") << Edit::Undo;
    QTest::newRow("redo") << Edit::Redo;
    QTest::newRow("anchor") << Edit::Anchor;
}

// The old fault: the panel kept the numbers of the moment the selection was
// made, and an anchor change or the next typed field applied them again.
void TestEditing::panelShowsTheBoundsAfterEveryEdit()
{
    QFETCH(Edit, edit);
    Editor editor;
    addTwoShapes(editor);
    // Both shapes picked by their outlines.
    editor.click(QPointF(300, 240));
    editor.click(QPointF(650, 310), Qt::ControlModifier);
    editor.setAnchor(0);
    QCOMPARE(editor.scene()->selectFrame()->items().size(), 2);
    comparePanel(editor, 0);
    const QRectF before = editor.selectionBounds();

    int anchor = 0;
    switch (edit) {
    case Edit::Move:
        editor.drag(QPointF(300, 240), QPointF(340, 300));
        break;
    case Edit::Width:
        PanelFixture::enter(editor.field("width"), 50);
        break;
    case Edit::RotateHandle: {
        const QPointF handle = editor.scene()->selectFrame()->handle(resizePoint::Rotate)
                                       ->sceneBoundingRect().center();
        editor.drag(handle, handle + QPointF(0, 200));
        break;
    }
    case Edit::RotateField:
        PanelFixture::enter(editor.field("rotate"), 30);
        break;
    case Edit::AlignLeft:
        editor.window.actions()->alignLeftAction->trigger();
        break;
    case Edit::Undo:
        editor.drag(QPointF(300, 240), QPointF(340, 300));
        editor.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.selectionBounds(), before);
        break;
    case Edit::Redo: {
        editor.drag(QPointF(300, 240), QPointF(340, 300));
        const QRectF moved = editor.selectionBounds();
        editor.key(Qt::Key_Z, Qt::ControlModifier);
        editor.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor.selectionBounds(), moved);
        break;
    }
    case Edit::Anchor:
        PanelFixture::enter(editor.field("x"), 20);
        anchor = 8;
        editor.setAnchor(anchor);
        break;
    }
    if (edit != Edit::Undo)
        QVERIFY(editor.selectionBounds() != before);
    // The rotation field shows the angle the selection has now.
    if (edit == Edit::RotateField)
        QCOMPARE(editor.field("rotate")->value(), 30.0);
    comparePanel(editor, anchor);
    editor.setAnchor(0);
    editor.window.fileCommands()->setModified(false);
}

// The old fault: Loc X typed after Loc Y moved the selection back to the
// Y the panel had shown when the selection was made.
void TestEditing::typedPositionKeepsTheOtherAxis()
{
    Editor editor;
    addTwoShapes(editor);
    editor.click(QPointF(300, 240));
    editor.setAnchor(0);
    PanelFixture::enter(editor.field("width"), 40);
    PanelFixture::enter(editor.field("x"), 100);
    PanelFixture::enter(editor.field("y"), 60);
    PanelFixture::enter(editor.field("x"), 10);
    const QRectF b = editor.selectionBounds();
    QCOMPARE(b.x() * mmPerUnit, 10.0);
    QCOMPARE(b.y() * mmPerUnit, 60.0);
    QCOMPARE(b.width() * mmPerUnit, 40.0);
    comparePanel(editor, 0);
    editor.window.fileCommands()->setModified(false);
}

// The old fault: Undo was enabled by a selection, so a drawing could not be
// taken back until something was selected; after New everything stayed on.
void TestEditing::undoFollowsTheHistoryNotTheSelection()
{
    Editor editor;
    ActionSet *actions = editor.window.actions();
    QVERIFY(!actions->undoAction->isEnabled());
    actions->rectangleToolAction->trigger();
    editor.drag(QPointF(200, 200), QPointF(400, 300));
    QVERIFY(editor.scene()->selectedItems().isEmpty());
    QVERIFY(actions->undoAction->isEnabled());
    QVERIFY(!actions->redoAction->isEnabled());
    const QString drawn = editor.window.svgView()->document()->toSvgText();

    editor.key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!editor.window.svgView()->document()->toSvgText().contains(QLatin1String("<rect")));
    QVERIFY(!actions->undoAction->isEnabled());
    QVERIFY(actions->redoAction->isEnabled());
    editor.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(editor.window.svgView()->document()->toSvgText(), drawn);

    // Selected, then a new design: nothing is left to act on.
    actions->selectToolAction->trigger();
    editor.click(QPointF(200, 250));
    QVERIFY(actions->deleteAction->isEnabled());
    BoxAnswers answers({QMessageBox::Discard});
    actions->newAction->trigger();
    QCOMPARE(answers.seen.size(), 1);
    for (QAction *action : {actions->undoAction, actions->redoAction, actions->cutAction,
                            actions->deleteAction, actions->alignLeftAction, actions->pasteAction})
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    QVERIFY(!editor.window.propertyDock()->isEnabled());
}

// The old fault: parameters typed into the panel were written without an
// undo step and without marking the design modified, so closing lost them.
void TestEditing::parameterEditIsOneUndoStepAndAsksToSave()
{
    Editor editor;
    SVGView *view = editor.window.svgView();
    QVERIFY(view->addNode(QStringLiteral("rect"), {"id", "x", "y", "width", "height", "style"},
                          {"r", "200", "200", "200", "100", "fill:none"}));
    // As after saving.
    editor.window.fileCommands()->setModified(false);
    editor.click(QPointF(300, 250));
    QDoubleSpinBox *power = editor.field("scanPower");
    const double before = power->value();
    const int steps = view->undoStack().count();

    child<QPushButton>(editor.panel(), "printAdvanced")->click();
    power->setFocus();
    power->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(power->findChild<QLineEdit *>(), "55");
    QCOMPARE(editor.node("r")->element().attribute("tolvenrik:scanPower"), QString("55"));
    QVERIFY(editor.window.actions()->saveAction->isEnabled());
    QCOMPARE(view->undoStack().count(), steps + 1);

    editor.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(power->value(), before);
    QCOMPARE(editor.node("r")->engraving().scanPower, before);
    editor.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(power->value(), 55.0);
    QCOMPARE(editor.node("r")->engraving().scanPower, 55.0);

    BoxAnswers answers({QMessageBox::Discard});
    QVERIFY(editor.window.close());
    QCOMPARE(answers.seen.size(), 1);
}

// The old fault: a polyline's item rectangle (its picking band) was taken
// for its bounds: the rectangle landed 3 mm left of it and it stayed put.
void TestEditing::alignLeftWithALineShape()
{
    Editor editor;
    addTwoShapes(editor);
    editor.click(QPointF(300, 240));
    editor.click(QPointF(650, 310), Qt::ControlModifier);
    editor.window.actions()->alignLeftAction->trigger();
    const QRectF ellipse = editor.scene()->selectionBounds({editor.window.svgView()->itemOf(editor.node("e"))});
    const QRectF line = editor.scene()->selectionBounds({editor.window.svgView()->itemOf(editor.node("p"))});
    // Within the half unit an outline's pen is allowed for.
    QVERIFY2(qAbs(ellipse.left() - 200) <= 0.5, qPrintable(QString::number(ellipse.left())));
    QVERIFY2(qAbs(line.left() - 200) <= 0.5, qPrintable(QString::number(line.left())));
    editor.window.fileCommands()->setModified(false);
}

void TestEditing::clickInsideAnOutlineShapeSelectsIt_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("rect") << "rect" << QStringList{"id", "x", "y", "width", "height", "style"}
                          << QStringList{"s", "200", "200", "300", "200", "fill:none;stroke:#000"};
    QTest::newRow("ellipse") << "ellipse" << QStringList{"id", "cx", "cy", "rx", "ry", "style"}
                             << QStringList{"s", "350", "300", "150", "100", "fill:none;stroke:#000"};
}

// The old fault: an outline-mode shape was picked only along its edge.
void TestEditing::clickInsideAnOutlineShapeSelectsIt()
{
    QFETCH(QString, tag);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    Editor editor;
    QVERIFY(editor.window.svgView()->addNode(tag, names, values));
    editor.click(QPointF(350, 300));
    QCOMPARE(editor.scene()->selectedItems(),
             QList<QGraphicsItem *>{editor.window.svgView()->itemOf(editor.node("s"))});
    // Outside it, nothing.
    editor.click(QPointF(700, 600));
    QVERIFY(editor.scene()->selectedItems().isEmpty());
    editor.window.fileCommands()->setModified(false);
}

// The old fault: the right click that ends a polyline also opened the
// canvas menu, which took the next click.
void TestEditing::rightClickEndsAPolylineWithoutAMenu()
{
    Editor editor;
    editor.window.actions()->lineToolAction->trigger();
    editor.click(QPointF(200, 200));
    editor.click(QPointF(400, 200));
    editor.moveTo(QPointF(400, 300));
    const QPoint at = editor.at(QPointF(400, 300));
    QTest::mousePress(editor.view->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, editor.view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(editor.view->viewport(), &menu);
    QTest::mouseRelease(editor.view->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(editor.scene()->drawingNode(), nullptr);

    // The next click starts the next polyline.
    editor.click(QPointF(200, 400));
    QVERIFY(editor.scene()->drawingNode());
    editor.key(Qt::Key_Escape);
    editor.window.fileCommands()->setModified(false);
}

// The old fault: the panel named one family while the canvas and the job
// drew the first installed family, whatever it was.
void TestEditing::textShowsTheFamilyItIsDrawnWith()
{
    Editor editor;
    editor.window.actions()->textToolAction->trigger();
    editor.click(QPointF(300, 300));
    QTest::keyClicks(editor.view->viewport(), "Hello");
    auto *item = static_cast<GraphicsTextItem *>(editor.scene()->selectedItemList().value(0));
    QVERIFY(item);
    QCOMPARE(item->toPlainText(), QString("Hello"));
    const QString drawn = QFontInfo(item->font()).family();
    QCOMPARE(drawn, QString("DejaVu Sans"));
    QCOMPARE(child<QFontComboBox>(editor.panel(), "font")->currentFont().family(), drawn);
    editor.window.fileCommands()->setModified(false);
}

namespace {

// Grey levels of a picture; -1 when any pixel has colour.
QSet<int> greyLevels(const QImage &image)
{
    QSet<int> levels;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor c = rgb.pixelColor(x, y);
            levels.insert(c.red() == c.green() && c.green() == c.blue() ? c.red() : -1);
        }
    }
    return levels;
}

} // namespace

// The old fault: the canvas kept showing the original picture whatever mode
// was chosen, so what would be burnt could not be seen.
void TestEditing::canvasShowsThePictureAsItsModeBurnsIt()
{
    Editor editor;
    QImage picture(90, 60, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x * 255 / 89, 90, 255 - y * 4));
    }
    emit editor.window.addImage(BitmapProcessing::encodePng(picture), 90, 60);
    auto *item = qgraphicsitem_cast<GraphicsImageItem *>(editor.scene()->selectedItems().value(0));
    QVERIFY(item);
    auto *mode = child<QComboBox>(editor.panel(), "image");
    QVERIFY(mode->isVisibleTo(editor.panel()));

    mode->setCurrentIndex(2);
    const QSet<int> grey = greyLevels(item->pixmap().toImage());
    QVERIFY(!grey.contains(-1));
    QVERIFY(grey.size() > 10);
    QCOMPARE(item->pixmap().size(), QSize(90, 60));

    mode->setCurrentIndex(1);
    const QImage halftone = item->pixmap().toImage();
    QCOMPARE(greyLevels(halftone), (QSet<int>{0, 255}));

    mode->setCurrentIndex(0);
    const QImage threshold = item->pixmap().toImage();
    QCOMPARE(greyLevels(threshold), (QSet<int>{0, 255}));
    QVERIFY(threshold != halftone);
    // Each choice is one undo step that brings the former picture back.
    editor.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(item->pixmap().toImage(), halftone);
    QCOMPARE(mode->currentIndex(), 1);
    editor.window.fileCommands()->setModified(false);
}

PLIMB_TEST_MAIN_WITH_PINNED_FONTS(TestEditing)
#include "tst_editing.moc"
