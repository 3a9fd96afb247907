#include "canvas/generationnotesdialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

GenerationNotesDialog::GenerationNotesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("generationNotes"));
    setWindowTitle(tr("加工数据提示"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("加工数据已生成，但有以下内容被调整或未加工："), this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    mText = new QPlainTextEdit(this);
    mText->setReadOnly(true);
    // A hostile design can bring thousands of notes: one line each, scrolled.
    mText->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(mText);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(560, 280);
}

void GenerationNotesDialog::setNotes(const QStringList &notes)
{
    mNotes = notes;
    mText->setPlainText(notes.join(QLatin1Char('\n')));
}

GenerationNotesDialog *GenerationNotesDialog::showNotes(const QStringList &notes, QWidget *parent)
{
    if (!parent)
        return nullptr;
    auto *dialog = parent->findChild<GenerationNotesDialog *>(QStringLiteral("generationNotes"),
                                                              Qt::FindDirectChildrenOnly);
    // The notes of an earlier job must not stand for this one.
    if (notes.isEmpty()) {
        if (dialog)
            dialog->hide();
        return nullptr;
    }
    if (!dialog)
        dialog = new GenerationNotesDialog(parent);
    dialog->setNotes(notes);
    dialog->show();
    dialog->raise();
    return dialog;
}
