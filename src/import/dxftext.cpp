#include "import/dxftext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTransform>

namespace DxfText {

namespace {

// Outlines are made at this pixel size and scaled: font sizes are whole
// pixels, and drawing texts are often a few millimetres high.
constexpr int referencePixels = 200;

struct Run
{
    QString text;
    double heightFactor = 1;
    bool paragraph = false;
};

// Splits MTEXT into runs of plain text with their height factor.
QList<Run> runsOf(const QString &source, QString *family)
{
    static const QRegularExpression fontGroup(
            QStringLiteral("\\{\\\\f(\\w+)\\|b(\\d+)\\|i(\\d+)\\|c(\\d+)\\|p(\\d+);(.*?)\\}"));
    static const QRegularExpression token(QStringLiteral(
            "(\\\\P|\\\\px[tqj]\\d*|\\\\f[^;\\\\]+(?:;)?|\\\\W\\d+\\.?\\d*|\\\\C\\d+|\\\\T\\d*\\.?\\d*|"
            "\\\\H\\d+\\.?\\d*x?)|([^\\\\;{}]+)"));
    static const QRegularExpression height(QStringLiteral("^\\\\H(\\d+\\.?\\d*)x?$"));
    QString text = source;
    const QRegularExpressionMatch group = fontGroup.match(source);
    if (group.hasMatch()) {
        *family = group.captured(1);
        text = group.captured(6);
    }
    QList<Run> runs;
    double factor = 1;
    bool paragraph = false;
    auto tokens = token.globalMatch(text);
    while (tokens.hasNext()) {
        const QRegularExpressionMatch match = tokens.next();
        const QString code = match.captured(1);
        if (code.isEmpty()) {
            runs.append({match.captured(2), factor, paragraph});
            paragraph = false;
        } else if (code == QLatin1String("\\P")) {
            paragraph = true;
        } else if (const QRegularExpressionMatch h = height.match(code); h.hasMatch()) {
            factor = h.captured(1).toDouble();
            if (factor <= 0)
                factor = 1;
        }
    }
    return runs;
}

} // namespace

QPainterPath textOutline(const QString &text, const QString &family, double height)
{
    QPainterPath path;
    if (text.isEmpty() || height <= 0)
        return path;
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(referencePixels);
    path.addText(QPointF(0, 0), font, text);
    const double capHeight = QFontMetricsF(font).capHeight();
    const double scale = height / (capHeight > 0 ? capHeight : referencePixels * 0.7);
    return QTransform::fromScale(scale, -scale).map(path);
}

QPainterPath outline(const DxfBlockRecord::MText &mtext)
{
    QString family = mtext.style;
    const QList<Run> runs = runsOf(mtext.text, &family);
    QPainterPath text;
    double x = 0;
    double baseline = 0;
    for (const Run &run : runs) {
        const double height = mtext.height * run.heightFactor;
        if (run.paragraph) {
            x = 0;
            baseline -= height * 5.0 / 3.0;
        }
        const QPainterPath glyphs = textOutline(run.text, family, height);
        text.addPath(glyphs.translated(x, baseline));
        x += glyphs.boundingRect().right() + height * 0.3;
    }
    // The attachment point (1 top left ... 9 bottom right) sits at the
    // insertion point.
    const QRectF bounds = text.boundingRect();
    const int attachment = qBound(1, mtext.attachmentPoint, 9) - 1;
    const double dx = -bounds.left() - bounds.width() * (attachment % 3) / 2.0;
    const double dy = -bounds.bottom() + bounds.height() * (attachment / 3) / 2.0;
    return text.translated(mtext.insertion + QPointF(dx, dy));
}

} // namespace DxfText
