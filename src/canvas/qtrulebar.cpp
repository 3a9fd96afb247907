#include "canvas/qtrulebar.h"

#include "canvas/rulergraduation.h"

#include <QFontMetrics>
#include <QPainter>

QtRuleBar::QtRuleBar(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , mOrientation(orientation)
{
    QFont rulerFont = font();
    rulerFont.setWeight(QFont::Normal);
    rulerFont.setPixelSize(10);
    setFont(rulerFont);
}

void QtRuleBar::setRange(double lower, double upper, double maxSize)
{
    mLower = lower;
    mUpper = upper;
    mMaxSize = maxSize;
}

void QtRuleBar::updatePosition(const QPoint &pos)
{
    mLastPos = pos;
    update();
}

void QtRuleBar::paintEvent(QPaintEvent *)
{
    const bool vertical = mOrientation == Qt::Vertical;
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, mBackground);
    if (vertical)
        painter.drawLine(area.topRight(), area.bottomRight());
    else
        painter.drawLine(area.bottomLeft(), area.bottomRight());

    painter.setPen(Qt::black);
    const QFontMetrics metrics(font());
    const int length = vertical ? height() : width();
    const int thickness = vertical ? width() : height();
    const QVector<RulerGraduation::Mark> marks = RulerGraduation::marks(
            vertical, mLower, mUpper, mMaxSize, length, thickness, metrics.height());
    for (const RulerGraduation::Mark &mark : marks) {
        const int pos = mark.position;
        if (vertical)
            painter.drawLine(thickness - mark.length, pos, thickness - 1, pos);
        else
            painter.drawLine(pos, thickness - mark.length, pos, thickness - 1);
        if (mark.label.isEmpty())
            continue;
        const int textWidth = metrics.horizontalAdvance(mark.label);
        if (vertical) {
            // Rotated a quarter turn clockwise: left labels read downwards.
            painter.save();
            painter.translate(4, pos + textWidth / 2 + 2);
            painter.rotate(90);
            painter.drawText(QRect(-textWidth / 2, -8, textWidth, 16), Qt::AlignRight, mark.label);
            painter.restore();
        } else {
            painter.drawText(QRect(pos + 2, area.top(), textWidth, 16), Qt::AlignLeft | Qt::AlignTop,
                             mark.label);
        }
    }

    painter.setPen(Qt::red);
    if (vertical)
        painter.drawLine(0, mLastPos.y(), width(), mLastPos.y());
    else
        painter.drawLine(mLastPos.x(), 0, mLastPos.x(), height());
}
