#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

// The operate panel's offer to take an interrupted job up again. It never
// resumes by itself: its button is enabled only while the engraver is
// connected and the user has confirmed that the head was homed or put back
// in place since the interruption.
class ResumeOffer : public QWidget
{
    Q_OBJECT

public:
    explicit ResumeOffer(QWidget *parent = nullptr);

    // The controller's offer: the raster row or outline to start at (1 for the first).
    void offerRow(int row);
    void offerOutline(int outline);
    // Withdraws the offer without telling anyone (a new job replaces it).
    void clear();
    // A link lost or found; each loss asks for a new confirmation.
    void setConnected(bool connected);

    bool isOffered() const { return mOffered; }

signals:
    // The user confirmed and chose to resume.
    void resumeRequested();
    // The user declined the offer.
    void dismissed();

private:
    void present(const QString &text);
    void updateButton();

    QLabel *mText;
    QCheckBox *mConfirm;
    QPushButton *mResume;
    QPushButton *mDismiss;
    bool mOffered = false;
    bool mConnected = false;
};
