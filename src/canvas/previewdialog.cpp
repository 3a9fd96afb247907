#include "canvas/previewdialog.h"

#include "canvas/gcodeview.h"
#include "canvas/svgview.h"

#include <QVBoxLayout>

PreviewDialog::PreviewDialog(const QVector<GCodeBuffer> &job, QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("G代码预览"));
    setMinimumSize(700, 500);
    mGcodeView = new GcodeView(fullPower, this);
    mGcodeView->setAttribute(Qt::WA_DeleteOnClose);
    mGcodeView->drawJob(job);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mGcodeView);
}

PreviewDialog *PreviewDialog::openFor(SVGView *view, QWidget *parent)
{
    auto *dialog = new PreviewDialog(view->gcode(), parent);
    dialog->open();
    view->clearGcode();
    return dialog;
}
