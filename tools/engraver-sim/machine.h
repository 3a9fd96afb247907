#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

// The motion side of the emulated engraver: modal G-code state, the machine
// position and the numbered settings. It answers with GRBL 1.1 status codes
// (0 = ok, otherwise the N of "error:N").
class Machine
{
public:
    enum Status {
        Ok = 0,
        ExpectedCommandLetter = 1,
        BadNumberFormat = 2,
        InvalidStatement = 3,
        NegativeValue = 4,
        HomingNotEnabled = 5,
        UnsupportedCommand = 20,
        UndefinedFeedRate = 22,
        InvalidJogCommand = 16,
    };

    struct Target {
        double x = 0.0;
        double y = 0.0;
    };

    // What one line asks of the machine, before it moves.
    struct Block {
        bool moves = false;
        Target target;
        bool programEnd = false;
        double feed = 0.0;
        double power = 0.0;
    };

    // A generic controller knows no fan words (M106/M107) and has homing
    // off ($22=0) until it is enabled.
    explicit Machine(bool generic = false);

    // Interprets one G-code line (no line end) against the modal state; a line
    // that fails leaves the modal state as it was.
    int parseLine(const QByteArray &line, Block *block);
    // "$J=" body: distance mode and units apply to this jog only; F is required.
    int parseJog(const QByteArray &body, Block *block) const;
    void moveTo(const Target &target);
    void home();
    // Soft reset and program end both return the modal state to its defaults.
    void resetModalState();

    double x() const { return mX; }
    double y() const { return mY; }

    QByteArray settingsDump() const;
    int storeSetting(const QByteArray &assignment);
    void restoreDefaultSettings();
    double setting(int number) const { return mSettings.value(number).value; }

private:
    struct Setting {
        double value = 0.0;
        bool integer = true;
    };
    struct Word {
        char letter;
        double value;
    };
    static int splitWords(const QByteArray &line, QList<Word> *words);

    bool mGeneric = false;
    double mX = 0.0;
    double mY = 0.0;
    int mMotionMode = 0;
    bool mRelative = false;
    bool mInches = false;
    double mFeed = 0.0;
    double mPower = 0.0;
    QMap<int, Setting> mSettings;
};
