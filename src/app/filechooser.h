#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of the file commands, behind one seam so that the
// commands can be driven without a dialog.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // Several existing files; empty when cancelled.
    virtual QStringList openFiles(QWidget *parent, const QString &title, const QString &filter);
    // One file to write; empty when cancelled.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &start,
                             const QString &filter);
};
