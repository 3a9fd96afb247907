#pragma once

#include "material/materiallibrary.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;
class SVGView;

// The material library under the property panel: presets grouped by
// material and thickness, applied to the selection as one undo step, made
// from the selection or from a test grid cell, imported and exported. The
// library is kept in the user data folder and written after every change.
class MaterialLibraryPanel : public QWidget
{
    Q_OBJECT

public:
    explicit MaterialLibraryPanel(SVGView *view, QWidget *parent = nullptr);

    const MaterialLibrary &library() const { return mLibrary; }
    // The preset picked in the list; -1 when a material heading or nothing is.
    int currentIndex() const;
    void setCurrentIndex(int index);

    // The commands behind the buttons. Each asks what it must (names, file,
    // confirmation) and reports failures in a message box.
    void applyCurrent();
    void saveSelection();
    void saveTestCell();
    void removeCurrent();
    void importLibrary();
    void exportLibrary();

    // Adds a preset, writes the library and shows the preset picked.
    bool addPreset(const MaterialPreset &preset);
    // Adds the presets of a library file; false when it could not be read.
    bool importFile(const QString &path, QString *error);

    // The selection's single element as a preset without names; false when
    // not exactly one element with engraving parameters is selected.
    bool selectionPreset(MaterialPreset *preset, QString *cellLabel) const;

private:
    void refresh();
    bool store();
    void updateButtons();
    // Asks for material, thickness and name, starting from `preset`'s.
    bool askNames(MaterialPreset *preset);

    SVGView *mView = nullptr;
    MaterialLibrary mLibrary;
    QTreeWidget *mTree = nullptr;
    QPushButton *mApply = nullptr;
    QPushButton *mSave = nullptr;
    QPushButton *mFromCell = nullptr;
    QPushButton *mRemove = nullptr;
    QPushButton *mImport = nullptr;
    QPushButton *mExport = nullptr;
};
