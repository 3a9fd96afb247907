#pragma once

#include <QList>
#include <QPainterPath>
#include <QTransform>

class QIODevice;

// Reads HPGL plotter files as plotters do: each pen selection ("SP") starts
// a path; PU, PD, PA and PR move and draw with absolute or relative pairs;
// CI, AA and AR draw circles and arcs; LB writes labels as outline text; SC
// and IP scale user units onto plotter units. A command ends at ";", at a
// line end or where the next command's letters begin, and its numbers may
// be fractional and run on over several lines. Other commands are skipped.
// Coordinates come out in plotter units, y up.
class PltReader
{
public:
    // Reads the device to its end; returns the number of pen selections.
    int read(QIODevice &device);
    // The paths of the last read, one per pen selection (a drawing before
    // the first selection gets a path of its own); some may be empty.
    const QList<QPainterPath> &paths() const { return mPaths; }

private:
    void reset();
    void runCommand(const QByteArray &name, const QList<double> &numbers);
    void label(const QString &text);
    QPainterPath &currentPath();
    // User units to plotter units (SC), for points and for increments.
    QPointF toPlotter(const QPointF &user) const;
    QPointF incrementToPlotter(const QPointF &user) const;
    void moveOrDraw(const QPointF &to);
    void arc(const QPointF &centre, double sweepDegrees);

    QList<QPainterPath> mPaths;
    int mSelections = 0;
    QPointF mPen;
    bool mPenDown = false;
    bool mRelative = false;
    bool mScaled = false;
    QTransform mUserToPlotter;
    QPointF mP1, mP2;
    // Label size (cap height) in plotter units and direction in degrees.
    double mLabelHeight = 0;
    double mLabelDegrees = 0;
    char mLabelTerminator = 3;
};
