#include "machine.h"

#include <cmath>

namespace {

struct DefaultSetting {
    int number;
    double value;
    bool integer;
};

// A 400 x 400 mm engraver at 80 steps/mm with $110 = 16000 mm/min (266.7
// mm/s; the engraver's panel shows it as 200, $110 / $100). Everything else
// is the usual GRBL 1.1 default.
const DefaultSetting defaultSettings[] = {
    {0, 10, true},      {1, 25, true},       {2, 0, true},        {3, 0, true},
    {4, 0, true},       {5, 0, true},        {6, 0, true},        {10, 1, true},
    {11, 0.010, false}, {12, 0.002, false},  {13, 0, true},       {20, 0, true},
    {21, 0, true},      {22, 1, true},       {23, 3, true},       {24, 500, false},
    {25, 5000, false},  {26, 250, true},     {27, 5, false},      {30, 1000, false},
    {31, 0, false},     {32, 1, true},       {100, 80, false},    {101, 80, false},
    {102, 80, false},   {110, 16000, false}, {111, 16000, false}, {112, 500, false},
    {120, 3000, false}, {121, 3000, false},  {122, 10, false},    {130, 400, false},
    {131, 400, false},  {132, 1, false},
};

bool isValueStart(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

bool parseNumber(const QByteArray &text, double *value)
{
    if (text.isEmpty() || !isValueStart(text.at(0)))
        return false;
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok;
}

// The X and Y words of one block; an axis without a word stays where it is.
struct AxisWords
{
    bool hasX = false;
    bool hasY = false;
    double x = 0.0;
    double y = 0.0;

    void take(char letter, double value)
    {
        if (letter == 'X') {
            hasX = true;
            x = value;
        } else {
            hasY = true;
            y = value;
        }
    }

    bool moves() const { return hasX || hasY; }

    Machine::Target target(const Machine::Target &from, bool relative, bool inches) const
    {
        const double scale = inches ? 25.4 : 1.0;
        Machine::Target to = from;
        if (hasX)
            to.x = relative ? from.x + x * scale : x * scale;
        if (hasY)
            to.y = relative ? from.y + y * scale : y * scale;
        return to;
    }
};

} // namespace

Machine::Machine(bool generic)
    : mGeneric(generic)
{
    restoreDefaultSettings();
}

void Machine::restoreDefaultSettings()
{
    mSettings.clear();
    for (const DefaultSetting &entry : defaultSettings)
        mSettings.insert(entry.number, {entry.value, entry.integer});
    if (mGeneric)
        mSettings[22].value = 0;
}

int Machine::splitWords(const QByteArray &line, QList<Word> *words)
{
    // GRBL drops spaces, comments in parentheses and everything after ';'.
    QByteArray text;
    int depth = 0;
    for (char c : line) {
        if (c == ';' && depth == 0)
            break;
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0 && c != ' ' && c != '\t' && c != '\r')
            text.append(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
    }
    int i = 0;
    while (i < text.size()) {
        const char letter = text.at(i);
        if (letter < 'A' || letter > 'Z')
            return ExpectedCommandLetter;
        int end = i + 1;
        while (end < text.size() && isValueStart(text.at(end)))
            ++end;
        double value = 0.0;
        if (!parseNumber(text.mid(i + 1, end - i - 1), &value))
            return BadNumberFormat;
        words->append({letter, value});
        i = end;
    }
    return Ok;
}

int Machine::parseLine(const QByteArray &line, Block *block)
{
    QList<Word> words;
    if (const int status = splitWords(line, &words))
        return status;

    int motion = mMotionMode;
    bool relative = mRelative;
    bool inches = mInches;
    double feed = mFeed;
    double power = mPower;
    AxisWords axes;
    bool programEnd = false;
    for (const Word &word : words) {
        const double code = word.value;
        switch (word.letter) {
        case 'G':
            if (code == 0 || code == 1 || code == 2 || code == 3)
                motion = int(code);
            else if (code == 90)
                relative = false;
            else if (code == 91)
                relative = true;
            else if (code == 20)
                inches = true;
            else if (code == 21)
                inches = false;
            else if (!(code == 4 || code == 17 || code == 18 || code == 19 || code == 40 || code == 49
                       || code == 53 || (code >= 54 && code <= 59) || code == 80 || code == 93 || code == 94))
                return UnsupportedCommand;
            break;
        case 'M':
            // M106/M107 drive this engraver's positioning laser; the rest is GRBL's set.
            if (code == 2 || code == 30)
                programEnd = true;
            else if (!(code == 0 || code == 1 || code == 3 || code == 4 || code == 5 || code == 7
                       || code == 8 || code == 9 || (!mGeneric && (code == 106 || code == 107))))
                return UnsupportedCommand;
            break;
        case 'X':
        case 'Y':
            axes.take(word.letter, word.value);
            break;
        case 'F':
            if (word.value < 0)
                return NegativeValue;
            feed = word.value;
            break;
        case 'S':
            if (word.value < 0)
                return NegativeValue;
            power = word.value;
            break;
        case 'Z': case 'I': case 'J': case 'K': case 'R': case 'P': case 'N': case 'T':
            break;
        default:
            return UnsupportedCommand;
        }
    }

    const Target target = axes.target({mX, mY}, relative, inches);
    mMotionMode = motion;
    mRelative = relative;
    mInches = inches;
    mFeed = feed;
    mPower = power;
    mX = target.x;
    mY = target.y;
    block->moves = axes.moves();
    block->target = target;
    block->programEnd = programEnd;
    block->feed = feed;
    block->power = power;
    if (programEnd)
        resetModalState();
    return Ok;
}

int Machine::parseJog(const QByteArray &body, Block *block) const
{
    QList<Word> words;
    if (const int status = splitWords(body, &words))
        return status;
    bool relative = mRelative;
    bool inches = mInches;
    bool hasFeed = false;
    double feed = 0.0;
    AxisWords axes;
    for (const Word &word : words) {
        switch (word.letter) {
        case 'G':
            if (word.value == 90)
                relative = false;
            else if (word.value == 91)
                relative = true;
            else if (word.value == 20)
                inches = true;
            else if (word.value == 21)
                inches = false;
            else if (word.value != 53)
                return InvalidJogCommand;
            break;
        case 'X':
        case 'Y':
            axes.take(word.letter, word.value);
            break;
        case 'Z':
            break;
        case 'F':
            if (word.value <= 0)
                return UndefinedFeedRate;
            hasFeed = true;
            feed = word.value;
            break;
        default:
            return InvalidJogCommand;
        }
    }
    if (!hasFeed)
        return UndefinedFeedRate;
    block->moves = axes.moves();
    block->target = axes.target({mX, mY}, relative, inches);
    block->feed = feed;
    block->power = 0.0;
    return Ok;
}

void Machine::moveTo(const Target &target)
{
    mX = target.x;
    mY = target.y;
}

void Machine::home()
{
    mX = 0.0;
    mY = 0.0;
}

void Machine::resetModalState()
{
    mMotionMode = 0;
    mRelative = false;
    mInches = false;
    mPower = 0.0;
}

QByteArray Machine::settingsDump() const
{
    // GRBL 1.1 prints integer settings bare and the others with three decimals.
    QByteArray dump;
    for (auto it = mSettings.cbegin(); it != mSettings.cend(); ++it) {
        dump += '$' + QByteArray::number(it.key()) + '=';
        if (it.value().integer)
            dump += QByteArray::number(qint64(it.value().value));
        else
            dump += QByteArray::number(it.value().value, 'f', 3);
        dump += "\r\n";
    }
    return dump;
}

int Machine::storeSetting(const QByteArray &assignment)
{
    const int equals = assignment.indexOf('=');
    bool numberOk = false;
    const int number = assignment.mid(1, equals - 1).toInt(&numberOk);
    if (equals < 2 || !numberOk || !mSettings.contains(number))
        return InvalidStatement;
    double value = 0.0;
    if (!parseNumber(assignment.mid(equals + 1).trimmed(), &value))
        return BadNumberFormat;
    if (value < 0)
        return NegativeValue;
    Setting &setting = mSettings[number];
    setting.value = setting.integer ? std::trunc(value) : value;
    return Ok;
}
