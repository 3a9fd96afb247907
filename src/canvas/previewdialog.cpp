#include "canvas/previewdialog.h"

#include "canvas/gcodeview.h"
#include "canvas/svgview.h"
#include "gcode/jobtimeestimator.h"

#include <QLabel>
#include <QVBoxLayout>

PreviewDialog::PreviewDialog(const QVector<GCodeBuffer> &job, const JobTimeEstimator::Machine &machine,
                             QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("G代码预览"));
    setMinimumSize(700, 500);
    mGcodeView = new GcodeView(fullPower, this);
    mGcodeView->setAttribute(Qt::WA_DeleteOnClose);
    mGcodeView->drawJob(job);
    const JobTimeEstimator::Estimate estimate = JobTimeEstimator::estimate(job, machine);
    mEstimate = new QLabel(tr("预计雕刻时间：%1（出光 %2）")
                                   .arg(JobTimeEstimator::formatDuration(estimate.seconds),
                                        JobTimeEstimator::formatDuration(estimate.burnSeconds)),
                           this);
    mEstimate->setObjectName(QStringLiteral("estimate"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mGcodeView);
    layout->addWidget(mEstimate);
}

QString PreviewDialog::estimateText() const
{
    return mEstimate->text();
}

PreviewDialog *PreviewDialog::openFor(SVGView *view, const JobTimeEstimator::Machine &machine,
                                      QWidget *parent)
{
    auto *dialog = new PreviewDialog(view->gcode(), machine, parent);
    dialog->open();
    view->clearGcode();
    return dialog;
}
