#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// What the generator clamped or left out of the job it just made, listed in
// one window. It does not block: the job is sent, saved or previewed while
// the user reads, and the next job's notes replace these.
class GenerationNotesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GenerationNotesDialog(QWidget *parent = nullptr);

    void setNotes(const QStringList &notes);
    QStringList notes() const { return mNotes; }

    // Shows `notes` in the one such dialog of `parent`, made on first use;
    // a job without notes hides it. Nothing without a window to show over.
    static GenerationNotesDialog *showNotes(const QStringList &notes, QWidget *parent);

private:
    QStringList mNotes;
    QPlainTextEdit *mText = nullptr;
};
