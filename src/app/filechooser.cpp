#include "app/filechooser.h"

#include "common/installlayout.h"

#include <QFileDialog>
#include <QUrl>

QStringList FileChooser::openFiles(QWidget *parent, const QString &title, const QString &filter)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // An installed Plimb offers its sample designs beside the usual places.
    const QString samples = InstallLayout::samplesFolder();
    if (!samples.isEmpty())
        dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(samples));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString FileChooser::saveFile(QWidget *parent, const QString &title, const QString &start,
                              const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}
