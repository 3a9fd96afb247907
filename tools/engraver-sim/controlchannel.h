#pragma once

#include <QByteArray>
#include <QObject>

class Engraver;
class QSocketNotifier;

// Commands on standard input, one per line, each answered by one line of JSON
// on standard output: "state", "send <text>", "quit". End of input quits.
class ControlChannel : public QObject
{
    Q_OBJECT
public:
    explicit ControlChannel(Engraver *engraver, QObject *parent = nullptr);

    static void writeLine(const QByteArray &line);

signals:
    void quitRequested();

private:
    void readInput();
    void execute(const QByteArray &command);

    Engraver *mEngraver;
    QSocketNotifier *mNotifier;
    QByteArray mInput;
};
