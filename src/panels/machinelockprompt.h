#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The user's choices when the engraver can home or is locked in alarm: home
// it, or unlock it after confirming that the head's position is known. The
// boxes never block the device messages, and nothing moves without a click.
class MachineLockPrompt : public QObject
{
    Q_OBJECT
public:
    explicit MachineLockPrompt(QWidget *parent);

    // The board reports homing enabled: ask before the head moves.
    void offerHoming();
    // The board is locked (`reason`: the alarm and its meaning); `canHome`
    // offers homing beside the unlock.
    void showLock(const QString &reason, bool canHome);
    // The lock was lifted elsewhere: an open question is void.
    void clear();

    QMessageBox *openBox() const { return mBox; }

signals:
    void homeRequested();
    void unlockRequested();

private:
    void confirmUnlock();
    QMessageBox *newBox(const QString &title, const QString &text);

    QWidget *mParent;
    // One question at a time: a newer one replaces the open one.
    QPointer<QMessageBox> mBox;
};
