#pragma once

#include "app/filechooser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTimer>

#include <memory>

// Dialog answers for the file commands, given in the order they are asked.
class ScriptedChooser : public FileChooser
{
public:
    struct Log
    {
        QStringList titles;
        QStringList starts;
        QStringList filters;
    };

    ScriptedChooser(QList<QStringList> openAnswers, QStringList saveAnswers,
                    std::shared_ptr<Log> log = std::make_shared<Log>())
        : mOpen(std::move(openAnswers))
        , mSave(std::move(saveAnswers))
        , mLog(std::move(log))
    {
    }

    QStringList openFiles(QWidget *, const QString &title, const QString &filter) override
    {
        mLog->titles << title;
        mLog->starts << QString();
        mLog->filters << filter;
        return mOpen.isEmpty() ? QStringList() : mOpen.takeFirst();
    }

    QString saveFile(QWidget *, const QString &title, const QString &start,
                     const QString &filter) override
    {
        mLog->titles << title;
        mLog->starts << start;
        mLog->filters << filter;
        return mSave.isEmpty() ? QString() : mSave.takeFirst();
    }

private:
    QList<QStringList> mOpen;
    QStringList mSave;
    std::shared_ptr<Log> mLog;
};

// Answers the message boxes the window opens, one queued answer per box,
// and keeps what each box showed. NoButton closes the box from its title
// bar instead of pressing a button.
class BoxAnswers : public QObject
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QString informative;
        QStringList buttons;
        QString defaultButton;
    };

    explicit BoxAnswers(QList<QMessageBox::StandardButton> answers = {})
        : mAnswers(std::move(answers))
    {
        mTimer.setInterval(10);
        QObject::connect(&mTimer, &QTimer::timeout, this, [this] { poll(); });
        mTimer.start();
    }

    QList<Seen> seen;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == mLast)
            return;
        mLast = box;
        Seen entry{box->windowTitle(), box->text(), box->informativeText(), {}, {}};
        for (QAbstractButton *button : box->buttons())
            entry.buttons << button->text();
        if (box->defaultButton())
            entry.defaultButton = box->defaultButton()->text();
        seen << entry;
        const QMessageBox::StandardButton answer =
                mAnswers.isEmpty() ? QMessageBox::Ok : mAnswers.takeFirst();
        QAbstractButton *button = box->button(answer);
        if (button)
            button->click();
        else if (answer == QMessageBox::NoButton)
            box->close();
        else if (!box->buttons().isEmpty())
            box->buttons().first()->click();
    }

    QList<QMessageBox::StandardButton> mAnswers;
    QTimer mTimer;
    QPointer<QMessageBox> mLast;
};
