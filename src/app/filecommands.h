#pragma once

#include "app/filechooser.h"

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QDomDocument;
class QWidget;
class SVGView;

// New, Open, Add image, Save, Save As and Save G-code on the window's
// design, with the save prompt before work is replaced. The modified state
// is the enabled state of the Save action.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    FileCommands(QWidget *window, SVGView *view, QAction *saveAction);
    ~FileCommands() override;

    // Replaces the dialogs, for tests; null restores the real ones.
    void setFileChooser(std::unique_ptr<FileChooser> chooser);

    QString currentPath() const { return mCurrentPath; }
    bool isModified() const;
    void setModified(bool modified);

    // Asks whether to save a modified design; true when the caller may go on.
    bool maybeSave();

    void newFile();
    void showOpenFile();
    void showImageFile();
    // One chosen file, routed by its extension in all-lower or all-upper case.
    void openPath(const QString &path);
    // Replaces the design by an SVG file after asking to save the old one.
    // The file becomes the current file path, or with `asCurrentFile` false
    // (the built-in test pattern) the current path is cleared.
    bool openDesign(const QString &path, bool asCurrentFile = true);
    // Emits imageReady for a readable picture; warns and adds nothing otherwise.
    bool addImageFile(const QString &path);
    // A dropped SVG drawing goes into the current design as a group.
    bool addSvgFile(const QString &path);
    // A dropped DXF or PLT drawing, added at the size the user confirms.
    void addDrawingFile(const QString &path);
    bool save();
    bool saveAs();
    bool saveGcode();

    // Empties the view's job list and fills it from the current design.
    bool generateJob();

signals:
    void imageReady(QString fileBase64, qreal width, qreal height);
    // The design was replaced: the node tree must take the new model.
    void designReplaced();

private:
    bool writeTo(const QString &path);
    // The warning text of a failed save, naming the file and the cause.
    QString saveFailure(const QString &path, const QString &cause) const;
    // A drawing from another program whose root gives a physical size is
    // scaled to it when the user keeps that size: `document` (the parsed
    // `text`, without "svg:" prefixes) changes and `text` becomes it. False
    // when the user cancels.
    bool placeAtTrueSize(QDomDocument &document, QString *text);

    QWidget *mWindow = nullptr;
    SVGView *mView = nullptr;
    QAction *mSaveAction = nullptr;
    std::unique_ptr<FileChooser> mChooser;
    QString mCurrentPath;
    QString mSaveError;
};
