#include "app/filechooser.h"

#include <QFileDialog>

QStringList FileChooser::openFiles(QWidget *parent, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

QString FileChooser::saveFile(QWidget *parent, const QString &title, const QString &start,
                              const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}
