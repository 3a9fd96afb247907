#include "gcode/outlineitem.h"

#include <QDebug>
#include <QHash>
#include <QMultiHash>
#include <QPair>
#include <QRectF>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace OutlineOrdering {

namespace {

// What one containment test costs beyond its segment pairs, in segment pairs.
constexpr qint64 containmentTestCost = 10000;

bool isFinite(const QPointF &p)
{
    return qIsFinite(p.x()) && qIsFinite(p.y());
}

double distance(const QPointF &a, const QPointF &b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    return std::sqrt(dx * dx + dy * dy);
}

// A uniform grid of points (indices into the caller's point list). Points
// that are not finite are left out; callers treat them separately.
class PointGrid
{
public:
    void build(const QVector<QPointF> &points, const QVector<int> &indices)
    {
        mCells.clear();
        double left = std::numeric_limits<double>::max();
        double top = left;
        double right = std::numeric_limits<double>::lowest();
        double bottom = right;
        int count = 0;
        for (int index : indices) {
            const QPointF &p = points.at(index);
            if (!isFinite(p))
                continue;
            left = qMin(left, p.x());
            right = qMax(right, p.x());
            top = qMin(top, p.y());
            bottom = qMax(bottom, p.y());
            ++count;
        }
        if (count == 0) {
            mColumns = mRows = 0;
            return;
        }
        const int side = qBound(1, int(std::sqrt(double(count))), 2048);
        mLeft = left;
        mTop = top;
        mCellWidth = qMax((right - left) / side, 1e-9 * qMax(1.0, qAbs(right) + qAbs(left)));
        mCellHeight = qMax((bottom - top) / side, 1e-9 * qMax(1.0, qAbs(bottom) + qAbs(top)));
        mColumns = side;
        mRows = side;
        mCells.resize(mColumns * mRows);
        for (int index : indices) {
            const QPointF &p = points.at(index);
            if (isFinite(p))
                mCells[cellIndex(column(p.x()), row(p.y()))].append(index);
        }
    }

    bool isEmpty() const { return mColumns == 0; }
    int cellCount() const { return mColumns * mRows; }

    // Cells overlapping the rectangle [left, right] x [top, bottom]; the
    // number of cells, or -1 when the rectangle is not a usable range.
    int cellsIn(double left, double top, double right, double bottom) const
    {
        if (isEmpty() || !(left <= right) || !(top <= bottom))
            return -1;
        return (column(right) - column(left) + 1) * (row(bottom) - row(top) + 1);
    }

    template<typename Visit>
    void visit(double left, double top, double right, double bottom, Visit visitor) const
    {
        if (cellsIn(left, top, right, bottom) < 0)
            return;
        const int c0 = column(left);
        const int c1 = column(right);
        const int r0 = row(top);
        const int r1 = row(bottom);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) {
                for (int index : mCells.at(cellIndex(c, r)))
                    visitor(index);
            }
        }
    }

    double cellSize() const { return qMin(mCellWidth, mCellHeight); }

private:
    int column(double x) const
    {
        const double c = std::floor((x - mLeft) / mCellWidth);
        return !(c >= 0) ? 0 : (c >= mColumns ? mColumns - 1 : int(c));
    }
    int row(double y) const
    {
        const double r = std::floor((y - mTop) / mCellHeight);
        return !(r >= 0) ? 0 : (r >= mRows ? mRows - 1 : int(r));
    }
    int cellIndex(int c, int r) const { return r * mColumns + c; }

    QVector<QVector<int>> mCells;
    double mLeft = 0;
    double mTop = 0;
    double mCellWidth = 1;
    double mCellHeight = 1;
    int mColumns = 0;
    int mRows = 0;
};

OutlineItem reversedItem(const OutlineItem &item)
{
    OutlineItem reversed;
    reversed.path = reversedPath(item.path);
    reversed.power = item.power;
    reversed.speed = item.speed;
    reversed.xBacklash = item.xBacklash;
    reversed.yBacklash = item.yBacklash;
    reversed.children = item.children;
    return reversed;
}

// The nearest-neighbour tour over a fixed set of items. Endpoints 2i and
// 2i + 1 are the start and end of item i. Ends at exactly the same point are
// kept as one spot with its items in list order, so outlines stacked on one
// spot (a "use" bomb) cost one distance per spot, not one per outline.
class Tour
{
public:
    explicit Tour(const QVector<OutlineItem> &items) : mItems(items)
    {
        const int n = items.size();
        mEnds.reserve(2 * n);
        for (const OutlineItem &item : items) {
            mEnds.append(startPoint(item.path));
            mEnds.append(endPoint(item.path));
        }
        mAlive = QVector<bool>(n, true);
        mAliveCount = n;
        rebuild();
    }

    QVector<OutlineItem> run()
    {
        QVector<OutlineItem> ordered;
        const int n = mItems.size();
        if (n == 0)
            return ordered;
        ordered.reserve(n);

        // The first item: the top-left scan over start points.
        QPointF candidate(1000000, 1000000);
        for (int i = 0; i < n; ++i) {
            const QPointF &start = mEnds.at(2 * i);
            if (start.x() < candidate.x() || start.y() < candidate.y())
                candidate = start;
        }
        int first = 0;
        for (int i = 0; i < n; ++i) {
            if (mEnds.at(2 * i) == candidate) {
                first = i;
                break;
            }
        }
        take(first);
        ordered.append(mItems.at(first));
        QPointF current = mEnds.at(2 * first + 1);

        while (mAliveCount > 0) {
            bool reverse = false;
            const int best = nearest(current, &reverse);
            take(best);
            if (reverse) {
                current = mEnds.at(2 * best);
                ordered.append(reversedItem(mItems.at(best)));
            } else {
                current = mEnds.at(2 * best + 1);
                ordered.append(mItems.at(best));
            }
        }
        return ordered;
    }

private:
    // The ends that lie on one point, by ascending item.
    struct Spot
    {
        QPointF point;
        QVector<int> items;
        int next = 0;  // items before it have been taken
    };

    // The first item still waiting at the spot, or -1.
    int firstWaiting(int spot)
    {
        Spot &s = mSpots[spot];
        while (s.next < s.items.size() && !mAlive.at(s.items.at(s.next)))
            ++s.next;
        return s.next < s.items.size() ? s.items.at(s.next) : -1;
    }

    // The item's distance is the nearer of its two ends; the winner is the
    // first item in list order whose distance, fraction dropped, is the least
    // such whole number below 100 000 000. Without any, the first item left.
    // An item qualifies exactly when one of its ends does, so the first item
    // waiting at each qualifying spot is all that needs comparing.
    int nearest(const QPointF &from, bool *reverse)
    {
        if (mAliveCount * 2 < mBuiltCount)
            rebuild();

        const double nearestEnd = nearestDistance(from);
        int best = -1;
        if (nearestEnd < 100000000) {
            const double whole = std::floor(nearestEnd);
            const double radius = whole + 1;
            auto consider = [&](int spot) {
                if (std::floor(distance(from, mSpots.at(spot).point)) != whole)
                    return;
                const int item = firstWaiting(spot);
                if (item >= 0 && (best < 0 || item < best))
                    best = item;
            };
            if (useGrid(from, radius))
                mGrid.visit(from.x() - radius, from.y() - radius, from.x() + radius,
                            from.y() + radius, consider);
            else
                forEachSpot(consider);
        }
        if (best < 0) {
            while (!mAlive.at(mFirstAlive))
                ++mFirstAlive;
            best = mFirstAlive;
        }
        const double toStart = distance(from, mEnds.at(2 * best));
        const double toEnd = distance(from, mEnds.at(2 * best + 1));
        *reverse = toEnd <= toStart;
        return best;
    }

    // The least distance from `from` to an end of an item still waiting
    // (infinity when there is none with finite coordinates).
    double nearestDistance(const QPointF &from)
    {
        double best = std::numeric_limits<double>::infinity();
        auto consider = [&](int spot) {
            const double d = distance(from, mSpots.at(spot).point);
            if (d < best && firstWaiting(spot) >= 0)
                best = d;
        };
        if (mGrid.isEmpty() || !isFinite(from)) {
            forEachSpot(consider);
            return best;
        }
        // Squares of growing size around `from`: once the best distance found
        // is within the square's half side, nothing outside can be nearer.
        double half = mGrid.cellSize();
        while (true) {
            if (!useGrid(from, half)) {
                forEachSpot(consider);
                return best;
            }
            mGrid.visit(from.x() - half, from.y() - half, from.x() + half, from.y() + half,
                        consider);
            if (best <= half)
                return best;
            half *= 2;
        }
    }

    // Whether a square search of this half side is cheaper than a scan of all
    // waiting spots.
    bool useGrid(const QPointF &from, double half) const
    {
        if (mGrid.isEmpty() || !isFinite(from) || !qIsFinite(half))
            return false;
        const int cells = mGrid.cellsIn(from.x() - half, from.y() - half, from.x() + half,
                                        from.y() + half);
        return cells >= 0 && cells <= 4 * mSpots.size() + 16 && cells < mGrid.cellCount();
    }

    template<typename Visit>
    void forEachSpot(Visit visitor) const
    {
        for (int spot = 0; spot < mSpots.size(); ++spot)
            visitor(spot);
    }

    void take(int item)
    {
        mAlive[item] = false;
        --mAliveCount;
    }

    // Re-indexes the ends still waiting, so that searches stay local as the
    // tour consumes them. Ends are grouped by their exact coordinates.
    void rebuild()
    {
        mSpots.clear();
        QHash<QPair<double, double>, int> spotAt;
        for (int i = 0; i < mAlive.size(); ++i) {
            if (!mAlive.at(i))
                continue;
            for (int end = 2 * i; end <= 2 * i + 1; ++end) {
                const QPointF &p = mEnds.at(end);
                // Not a number never equals itself: each such end stands alone.
                const QPair<double, double> key(p.x(), p.y());
                const int spot = isFinite(p) ? spotAt.value(key, -1) : -1;
                if (spot >= 0) {
                    if (mSpots[spot].items.last() != i)
                        mSpots[spot].items.append(i);
                    continue;
                }
                if (isFinite(p))
                    spotAt.insert(key, mSpots.size());
                mSpots.append(Spot{ p, { i }, 0 });
            }
        }
        QVector<QPointF> points;
        QVector<int> indices;
        points.reserve(mSpots.size());
        indices.reserve(mSpots.size());
        for (int spot = 0; spot < mSpots.size(); ++spot) {
            points.append(mSpots.at(spot).point);
            indices.append(spot);
        }
        mGrid.build(points, indices);
        mBuiltCount = mAliveCount;
    }

    const QVector<OutlineItem> &mItems;
    QVector<QPointF> mEnds;
    QVector<bool> mAlive;
    QVector<Spot> mSpots;
    PointGrid mGrid;
    int mAliveCount = 0;
    int mBuiltCount = 0;
    int mFirstAlive = 0;
};

// For each item, the first item whose path has exactly the same elements.
// Copies of one outline never contain each other, and what one contains,
// each contains: stacked copies (a "use" bomb) are tested once.
QVector<int> firstCopies(const QVector<OutlineItem> &items)
{
    const auto same = [](const QPainterPath &a, const QPainterPath &b) {
        if (a.elementCount() != b.elementCount())
            return false;
        for (int e = 0; e < a.elementCount(); ++e) {
            const QPainterPath::Element x = a.elementAt(e);
            const QPainterPath::Element y = b.elementAt(e);
            if (x.type != y.type || !(x.x == y.x) || !(x.y == y.y))
                return false;
        }
        return true;
    };
    QVector<int> first(items.size());
    QMultiHash<uint, int> byHash;
    for (int i = 0; i < items.size(); ++i) {
        const QPainterPath &path = items.at(i).path;
        uint hash = uint(path.elementCount());
        for (int e = 0; e < path.elementCount(); ++e) {
            const QPainterPath::Element element = path.elementAt(e);
            hash = hash * 31 + qHash(element.x) + 7 * qHash(element.y) + uint(element.type);
        }
        first[i] = i;
        for (auto it = byHash.constFind(hash); it != byHash.cend() && it.key() == hash; ++it) {
            if (same(items.at(it.value()).path, path)) {
                first[i] = it.value();
                break;
            }
        }
        if (first.at(i) == i)
            byHash.insert(hash, i);
    }
    return first;
}

} // namespace

QPointF startPoint(const QPainterPath &path)
{
    return path.pointAtPercent(0);
}

QPointF endPoint(const QPainterPath &path)
{
    return path.pointAtPercent(1);
}

QPainterPath reversedPath(const QPainterPath &path)
{
    QPainterPath reversed;
    int last = path.elementCount() - 1;
    // Pen-up moves at the end draw nothing; reversed they must not become
    // the start of a cut.
    while (last > 0 && path.elementAt(last).isMoveTo())
        --last;
    if (last < 0)
        return reversed;
    reversed.moveTo(path.elementAt(last));
    // The segment into element i is drawn when i is a line; reversed it
    // runs from i back to i - 1.
    for (int i = last; i > 0; --i) {
        const QPainterPath::Element before = path.elementAt(i - 1);
        if (path.elementAt(i).isLineTo())
            reversed.lineTo(before);
        else
            reversed.moveTo(before);
    }
    return reversed;
}

QVector<OutlineItem> orderByContainment(QVector<OutlineItem> items, qint64 *budget)
{
    const int n = items.size();
    QVector<QPointF> firstPoints(n);
    QVector<int> all(n);
    QVector<int> unindexed;
    for (int i = 0; i < n; ++i) {
        const QPainterPath &path = items.at(i).path;
        firstPoints[i] = path.elementCount() > 0 ? QPointF(path.elementAt(0)) : QPointF();
        all[i] = i;
        if (path.elementCount() > 0 && !isFinite(firstPoints.at(i)))
            unindexed.append(i);
    }
    PointGrid grid;
    grid.build(firstPoints, all);

    // A path can only contain another whose first point lies in its control
    // point rectangle, which is what the grid is asked for.
    QVector<bool> alive(n, true);
    QVector<int> contained;
    const QVector<int> copyOf = firstCopies(items);
    // Per outer item, the answer for each outline already tested (by its
    // first copy): 1 contained, 0 not, when `testedFor` is the outer item.
    QVector<int> testedFor(n, -1);
    QVector<char> answer(n, 0);
    for (int i = 0; i < n; ++i) {
        // A later copy finds nothing: whatever it contains, its first copy took.
        if (!alive.at(i) || items.at(i).path.elementCount() == 0 || copyOf.at(i) != i)
            continue;
        const QPainterPath &outer = items.at(i).path;
        const QRectF rect = outer.controlPointRect();
        const double slack = 1e-9 * (qAbs(rect.left()) + qAbs(rect.right()) + qAbs(rect.top())
                                     + qAbs(rect.bottom()) + 1);
        // Once the budget is spent, the candidates are not even visited.
        if (budget && *budget <= 0)
            break;
        contained.clear();
        auto test = [&](int j) {
            if (j == i || !alive.at(j) || items.at(j).path.elementCount() == 0)
                return;
            // The grid hands over whole cells; a first point outside the
            // rectangle rules the pair out before the costly test.
            const QPointF &first = firstPoints.at(j);
            if (first.x() < rect.left() - slack || first.x() > rect.right() + slack
                || first.y() < rect.top() - slack || first.y() > rect.bottom() + slack)
                return;
            const int copy = copyOf.at(j);
            if (copy == i)
                return;
            if (testedFor.at(copy) == i) {
                if (answer.at(copy))
                    contained.append(j);
                return;
            }
            if (budget) {
                if (*budget <= 0)
                    return;
                // Each test also costs its setup, whatever the sizes: many
                // tiny overlapping outlines must spend it too.
                *budget -= qint64(outer.elementCount()) * items.at(j).path.elementCount()
                        + containmentTestCost;
            }
            testedFor[copy] = i;
            answer[copy] = outer.contains(items.at(j).path);
            if (answer.at(copy))
                contained.append(j);
        };
        grid.visit(rect.left() - slack, rect.top() - slack, rect.right() + slack,
                   rect.bottom() + slack, test);
        for (int j : unindexed)
            test(j);
        if (contained.isEmpty())
            continue;
        std::sort(contained.begin(), contained.end());
        QVector<OutlineItem> inner;
        inner.reserve(contained.size());
        for (int j : contained) {
            alive[j] = false;
            inner.append(items.at(j));
        }
        const QVector<OutlineItem> ordered = orderByContainment(inner, budget);
        items[i].children.assign(ordered.cbegin(), ordered.cend());
    }

    QVector<OutlineItem> rest;
    rest.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (alive.at(i))
            rest.append(items.at(i));
    }
    return orderNearestNeighbour(rest);
}

QVector<OutlineItem> orderNearestNeighbour(QVector<OutlineItem> items)
{
    Tour tour(items);
    return tour.run();
}

QVector<OutlineItem> flattenTree(const QVector<OutlineItem> &items)
{
    QVector<OutlineItem> flat;
    // Explicit stack: nesting can be as deep as the design has outlines.
    struct Frame
    {
        const OutlineItem *item;
        size_t next;
    };
    for (const OutlineItem &top : items) {
        std::vector<Frame> stack{ { &top, 0 } };
        while (!stack.empty()) {
            Frame &frame = stack.back();
            if (frame.next < frame.item->children.size()) {
                const OutlineItem *child = &frame.item->children[frame.next++];
                stack.push_back({ child, 0 });
                continue;
            }
            OutlineItem leaf = *frame.item;
            leaf.children.clear();
            flat.append(leaf);
            stack.pop_back();
        }
    }
    return flat;
}

} // namespace OutlineOrdering
