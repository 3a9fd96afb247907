#include "canvas/jobgenerationdialog.h"

#include "canvas/generationnotesdialog.h"
#include "gcode/jobcontroller.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>

bool JobGenerationDialog::run(JobController &jobs, const QString &svgText,
                              const DefaultParameters &defaults, QWidget *parent)
{
    QProgressDialog dialog(QCoreApplication::translate("JobGenerationDialog", "正在生成加工数据…"),
                           QCoreApplication::translate("JobGenerationDialog", "取消"), 0, 100,
                           parent);
    dialog.setWindowTitle(QCoreApplication::translate("JobGenerationDialog", "生成加工数据"));
    dialog.setWindowModality(Qt::WindowModal);
    // Small designs are done before the dialog would flash up.
    dialog.setMinimumDuration(400);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);

    QEventLoop loop;
    bool done = false;
    const auto stop = [&loop](bool ok) { loop.exit(ok ? 0 : 1); };
    QObject::connect(&jobs, &JobController::progress, &dialog, [&dialog](int percent) {
        // 100 would end the dialog before the job is taken over.
        dialog.setValue(qMin(percent, 99));
    });
    QObject::connect(&jobs, &JobController::finished, &loop, [&] { done = true; stop(true); });
    QObject::connect(&jobs, &JobController::cancelled, &loop, [&] { stop(false); });
    QObject::connect(&dialog, &QProgressDialog::canceled, &jobs, &JobController::cancel);
    // Escape closes the dialog without the button.
    QObject::connect(&dialog, &QDialog::rejected, &jobs, &JobController::cancel);
    if (!jobs.generateAsync(svgText, defaults))
        return false;
    loop.exec();
    if (done)
        GenerationNotesDialog::showNotes(jobs.generator().summary().notes, parent);
    return done;
}
