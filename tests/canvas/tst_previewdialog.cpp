#include "canvas/gcodeview.h"
#include "canvas/previewdialog.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/documentwriter.h"
#include "document/svgdocument.h"
#include "gcode/jobtimeestimator.h"

#include <QGraphicsPathItem>
#include <QTemporaryDir>
#include <QtTest>

using DesignFixture::svg;

// The window-modal preview of a generated job.
class TestPreviewDialog : public QObject
{
    Q_OBJECT

private slots:
    void showsTheJobAndEmptiesTheJobList();
    void emptyDesignKeepsAUsableScale();
};

namespace {

QVector<GCodeBuffer> jobOf(SVGView &view, const QString &design)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.svg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(design.toUtf8());
    file.close();
    if (!view.openFile(path))
        return {};
    view.generateGcode(toSvgText(view.document()->domDocument()));
    return view.gcode();
}

// Pen colours of the scene's paths, as "r,g,b".
QStringList colours(const GcodeView *view)
{
    QStringList out;
    const QList<QGraphicsItem *> items = view->scene()->items(Qt::AscendingOrder);
    for (const QGraphicsItem *item : items)
        if (auto *path = qgraphicsitem_cast<const QGraphicsPathItem *>(item)) {
            const QColor c = path->pen().color();
            out << QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
            if (!path->pen().isCosmetic() || path->brush().style() != Qt::NoBrush)
                out << "not a thin outline";
        }
    return out;
}

} // namespace

void TestPreviewDialog::showsTheJobAndEmptiesTheJobList()
{
    QWidget window;
    window.resize(1000, 800);
    window.show();
    SVGView view;
    const QVector<GCodeBuffer> job = jobOf(
            view, svg("<g><rect x='125' y='125' width='250' height='125' style='fill:none' "
                      "tolvenrik:scanPower='50'/></g>",
                      "width='2000' height='2700'"));
    QVERIFY(!job.isEmpty());

    PreviewDialog *dialog = PreviewDialog::openFor(&view, JobTimeEstimator::Machine(), &window);
    QPointer<PreviewDialog> alive(dialog);
    QVERIFY(view.gcode().isEmpty());
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(dialog->minimumSize(), QSize(700, 500));
    QCOMPARE(dialog->gcodeView()->fullPower(), 1000.0);

    // The outline at half power is grey 127 throughout; travel is red.
    QCOMPARE(colours(dialog->gcodeView()), (QStringList{ "127,127,127", "255,0,0" }));
    GcodeView *preview = dialog->gcodeView();
    const QRect shown = preview->mapFromScene(preview->scene()->itemsBoundingRect()).boundingRect();
    QVERIFY2(preview->viewport()->rect().adjusted(49, 49, -49, -49).contains(shown),
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(shown.x()).arg(shown.y())
                                .arg(shown.width()).arg(shown.height())));
    // Scaled to fill the view, but for the margin, along one side.
    QVERIFY(shown.width() >= preview->viewport()->width() - 102
            || shown.height() >= preview->viewport()->height() - 102);
    // The job's time is shown beside it, as the estimator gives it.
    const QString seconds = JobTimeEstimator::formatDuration(JobTimeEstimator::estimate(job).seconds);
    QVERIFY2(dialog->estimateText().contains(seconds), qPrintable(dialog->estimateText()));

    dialog->close();
    QTRY_VERIFY(alive.isNull());
}

// The head and tail of an empty design go nowhere: nothing to scale by.
void TestPreviewDialog::emptyDesignKeepsAUsableScale()
{
    SVGView view;
    const QVector<GCodeBuffer> job = jobOf(view, svg("<g/>", "width='2000' height='2700'"));
    QVERIFY(!job.isEmpty());
    PreviewDialog dialog(job, JobTimeEstimator::Machine(), nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QTransform transform = dialog.gcodeView()->transform();
    QVERIFY(qIsFinite(transform.m11()) && transform.m11() > 0);
    QCOMPARE(transform.m11(), transform.m22());
}

QTEST_MAIN(TestPreviewDialog)
#include "tst_previewdialog.moc"
