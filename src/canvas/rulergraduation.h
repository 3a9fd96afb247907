#pragma once

#include <QString>
#include <QVector>

// The ticks and labels of a ruler graduated in millimetres over a range of
// design units (12.5 to the millimetre). Left rulers run with values growing
// upwards, so their labels are negated to read as distances downwards.
class RulerGraduation
{
public:
    struct Mark
    {
        int level = 0;     // 0 carries the labels; higher levels subdivide it
        int position = 0;  // pixels from the ruler's start
        int length = 0;    // tick length in pixels from the outer edge
        QString label;     // empty where the tick has no label
    };

    // `vertical` for the left ruler; `length` and `thickness` in pixels,
    // `fontHeight` the height of the label font.
    static QVector<Mark> marks(bool vertical, double lower, double upper, double maxSize,
                               int length, int thickness, int fontHeight);
    // A label value in millimetres: "2k" for whole thousands from 2000 on.
    static QString label(double millimetres, bool vertical);
};
