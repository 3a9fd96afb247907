#pragma once

#include "import/importeddrawing.h"

#include <QDialog>

class QComboBox;
class QLabel;

// Asks in which unit a DXF or PLT drawing is added, showing its physical size
// in each. The choice is remembered per format in the settings store.
// An SVG drawing from another program whose root gives a physical size is
// asked about too: Millimetre keeps that size, Design reads its user units
// as design units (0.08 mm), as the program always did.
class ImportUnitDialog : public QDialog
{
    Q_OBJECT

public:
    ImportUnitDialog(const ImportedDrawing &drawing, ImportUnit initial, QWidget *parent = nullptr);
    // For an SVG drawing: `physical` in millimetres, `userUnits` the size of
    // its root viewport.
    ImportUnitDialog(const QSizeF &physical, const QSizeF &userUnits, QWidget *parent = nullptr);

    ImportUnit unit() const;
    QLabel *sizeLabel() const { return mSize; }
    QComboBox *unitBox() const { return mUnits; }

    // The unit to offer first: the file's stated unit, else the one chosen
    // last time for this format, else the reader's guess.
    static ImportUnit initialUnit(const ImportedDrawing &drawing);
    static void remember(ImportedDrawing::Format format, ImportUnit unit);
    // Shows the dialog; false when the user cancels.
    static bool ask(const ImportedDrawing &drawing, ImportUnit *unit, QWidget *parent);
    static bool askForSvg(const QSizeF &physical, const QSizeF &userUnits, ImportUnit *unit, QWidget *parent);

private:
    void build(ImportUnit initial);
    void showSize();

    ImportedDrawing mDrawing;
    bool mSvg = false;
    QSizeF mPhysical;
    QSizeF mUserUnits;
    QComboBox *mUnits = nullptr;
    QLabel *mSize = nullptr;
};
