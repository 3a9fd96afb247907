#include "document/textlayout.h"

#include <QDomDocument>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QtTest>

using AttributeMap = QMap<QString, QString>;
Q_DECLARE_METATYPE(AttributeMap)

class TestTextLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void horizontalTwoLines();
    void verticalTwoLines();
    void emptyLinesAndSpaces_data();
    void emptyLinesAndSpaces();
    void alignsAgainstLongestLine_data();
    void alignsAgainstLongestLine();
    void keepsSurrogatePairsTogether();
    void readsLayoutAttributes_data();
    void readsLayoutAttributes();

private:
    QFont mFont;
    double mAscent = 0;
    QRectF glyphBounds(const QString &character) const;
};

static constexpr double wordSpacing = 3;
static constexpr double lineSpacing = 5;

void TestTextLayout::initTestCase()
{
    QVERIFY2(QFontDatabase().families().contains(QStringLiteral("DejaVu Sans")),
             "DejaVu Sans is installed by scripts/deps.sh");
    mFont = QFont(QStringLiteral("DejaVu Sans"));
    mFont.setPointSizeF(40);
    mAscent = QFontMetricsF(mFont).ascent();
}

// One character drawn the way the layout draws it, at the origin.
QRectF TestTextLayout::glyphBounds(const QString &character) const
{
    QPainterPath path;
    path.addText(0, mAscent, mFont, character);
    return path.boundingRect();
}

void TestTextLayout::horizontalTwoLines()
{
    const TextLayout layout = layoutText(QStringLiteral("AB\nC"), mFont, lineSpacing, wordSpacing,
                                         TextAlignLeft, TextHorizontal);
    // A, B, end of line 1, C, end of line 2.
    const QList<QPointF> p = layout.glyphPositions;
    QCOMPARE(p.size(), 5);
    QCOMPARE(p.at(0), QPointF(0, 0));
    QCOMPARE(p.at(1).x(), glyphBounds("A").right() + wordSpacing);
    QCOMPARE(p.at(1).y(), 0.0);
    QVERIFY(p.at(2).x() > p.at(1).x());
    QCOMPARE(p.at(2).y(), 0.0);

    // Line 2 starts at x = 0 below the ink of line 1.
    const double firstLineBottom = qMax(glyphBounds("A").bottom(), glyphBounds("B").bottom());
    QCOMPARE(p.at(3), QPointF(0, firstLineBottom + lineSpacing));
    QCOMPARE(p.at(4).x(), glyphBounds("C").right() + wordSpacing);
    QCOMPARE(p.at(4).y(), p.at(3).y());

    // The outline holds both lines: it reaches down to line 2's ink.
    const QRectF bounds = layout.outline.boundingRect();
    QCOMPARE(bounds.bottom(), p.at(3).y() + glyphBounds("C").bottom());
    QCOMPARE(bounds.right(), p.at(2).x() - wordSpacing);
}

void TestTextLayout::verticalTwoLines()
{
    const TextLayout layout = layoutText(QStringLiteral("AB\nC"), mFont, lineSpacing, wordSpacing,
                                         TextAlignLeft, TextVertical);
    const QList<QPointF> p = layout.glyphPositions;
    QCOMPARE(p.size(), 5);
    QCOMPARE(p.at(0), QPointF(0, 0));
    QCOMPARE(p.at(1), QPointF(0, glyphBounds("A").bottom() + wordSpacing));
    const double columnEnd = p.at(1).y() + glyphBounds("B").bottom() + wordSpacing;
    QCOMPARE(p.at(2), QPointF(0, columnEnd));

    // The second column starts at the top, right of the first column's ink.
    const double firstColumnRight = qMax(glyphBounds("A").right(), glyphBounds("B").right());
    QCOMPARE(p.at(3), QPointF(firstColumnRight + lineSpacing, 0));
    QCOMPARE(p.at(4), QPointF(p.at(3).x(), glyphBounds("C").bottom() + wordSpacing));

    const QRectF bounds = layout.outline.boundingRect();
    QCOMPARE(bounds.right(), p.at(3).x() + glyphBounds("C").right());
    QCOMPARE(bounds.bottom(), columnEnd - wordSpacing);
}

void TestTextLayout::emptyLinesAndSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPointF>("position");

    const QFontMetricsF metrics(mFont);
    const QRectF a = glyphBounds("A");

    // A, end of line 1, end of the empty line 2, B.
    const double emptyLineY = a.bottom() + lineSpacing;
    QTest::newRow("empty line keeps its place")
            << "A\n\nB" << int(TextHorizontal) << 3
            << QPointF(0, emptyLineY + mAscent + lineSpacing);
    QTest::newRow("line of spaces is one ascent high")
            << "  \nB" << int(TextHorizontal) << 3 << QPointF(0, mAscent + lineSpacing);
    QTest::newRow("space advances by its width")
            << "A B" << int(TextHorizontal) << 2
            << QPointF(a.right() + wordSpacing + metrics.horizontalAdvance(' ') + wordSpacing, 0);
    // A character without an outline must not send the next one back to the start.
    QTest::newRow("tab advances like a space")
            << "A\tB" << int(TextHorizontal) << 2
            << QPointF(a.right() + wordSpacing + metrics.horizontalAdvance('\t') + wordSpacing, 0);

    QTest::newRow("empty column keeps its place")
            << "A\n\nB" << int(TextVertical) << 3
            << QPointF(a.right() + lineSpacing + metrics.horizontalAdvance('w') + lineSpacing, 0);
    QTest::newRow("space in a column is one ascent high")
            << "A B" << int(TextVertical) << 2
            << QPointF(0, a.bottom() + wordSpacing + mAscent + wordSpacing);
}

void TestTextLayout::emptyLinesAndSpaces()
{
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(int, index);
    QFETCH(QPointF, position);

    const TextLayout layout = layoutText(text, mFont, lineSpacing, wordSpacing, TextAlignLeft, direction);
    // One position per character and one per line end.
    QCOMPARE(layout.glyphPositions.size(), text.size() + 1);
    QCOMPARE(layout.glyphPositions.at(index), position);
}

void TestTextLayout::alignsAgainstLongestLine_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("alignment");

    QTest::newRow("horizontal left") << int(TextHorizontal) << int(TextAlignLeft);
    QTest::newRow("horizontal right") << int(TextHorizontal) << int(TextAlignRight);
    QTest::newRow("horizontal centre") << int(TextHorizontal) << int(TextAlignCenter);
    QTest::newRow("vertical left") << int(TextVertical) << int(TextAlignLeft);
    QTest::newRow("vertical right") << int(TextVertical) << int(TextAlignRight);
    QTest::newRow("vertical centre") << int(TextVertical) << int(TextAlignCenter);
}

void TestTextLayout::alignsAgainstLongestLine()
{
    QFETCH(int, direction);
    QFETCH(int, alignment);

    const QString text = QStringLiteral("ABC\nC");
    const TextLayout left = layoutText(text, mFont, lineSpacing, wordSpacing, TextAlignLeft, direction);
    const TextLayout aligned = layoutText(text, mFont, lineSpacing, wordSpacing, alignment, direction);
    const bool horizontal = direction == TextHorizontal;
    auto along = [horizontal](QPointF p) { return horizontal ? p.x() : p.y(); };
    auto across = [horizontal](QPointF p) { return horizontal ? p.y() : p.x(); };

    // Line 1: A, B, C, end (0 to 3); line 2: C, end (4, 5).
    const QList<QPointF> p = aligned.glyphPositions;
    QCOMPARE(p.size(), 6);
    for (int i = 0; i < p.size(); ++i)
        QCOMPARE(across(p.at(i)), across(left.glyphPositions.at(i)));
    // The longest line stays where it is.
    for (int i = 0; i < 4; ++i)
        QCOMPARE(p.at(i), left.glyphPositions.at(i));
    QVERIFY(along(left.glyphPositions.at(5)) < along(p.at(3)));

    switch (alignment) {
    case TextAlignLeft:
        QCOMPARE(along(p.at(4)), 0.0);
        break;
    case TextAlignRight:
        QCOMPARE(along(p.at(5)), along(p.at(3)));
        break;
    case TextAlignCenter:
        QCOMPARE(along(p.at(4)) + along(p.at(5)), along(p.at(0)) + along(p.at(3)));
        break;
    }
    // The ink moved with the positions: the short line's glyph is found where its position says.
    const QRectF shortLine = glyphBounds("C").translated(p.at(4));
    QVERIFY(aligned.outline.intersects(shortLine));
}

void TestTextLayout::keepsSurrogatePairsTogether()
{
    // One glyph for the pair, but a position for each half, so string indices still apply.
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001D11E") + QStringLiteral("b");
    QCOMPARE(text.size(), 4);
    const TextLayout layout = layoutText(text, mFont, lineSpacing, wordSpacing, TextAlignLeft, TextHorizontal);
    const QList<QPointF> p = layout.glyphPositions;
    QCOMPARE(p.size(), 5);
    QCOMPARE(p.at(1), p.at(2));
    QVERIFY(p.at(1).x() > p.at(0).x());
    QVERIFY(p.at(3).x() > p.at(2).x());
}

void TestTextLayout::readsLayoutAttributes_data()
{
    QTest::addColumn<AttributeMap>("attributes");
    QTest::addColumn<QVector<double>>("expected"); // x, y, line, word, alignment, direction

    QTest::newRow("defaults") << AttributeMap() << QVector<double>{ 0, 0, 5, 3, 0, 1 };
    QTest::newRow("all given")
            << AttributeMap{ { "x", "12.5" }, { "y", "-3" }, { "tolvenRik:LineSpacing", "-20" },
                             { "tolvenRik:WordSpacing", "7" }, { "tolvenRik:Alignment", "AlignCenter" },
                             { "tolvenRik:TextDirection", "V" } }
            << QVector<double>{ 12.5, -3, -20, 7, 2, 0 };
    QTest::newRow("right") << AttributeMap{ { "tolvenRik:Alignment", "AlignRight" } }
                           << QVector<double>{ 0, 0, 5, 3, 1, 1 };
    QTest::newRow("unknown texts keep defaults")
            << AttributeMap{ { "tolvenRik:Alignment", "AlignJustify" }, { "tolvenRik:TextDirection", "v" },
                             { "tolvenRik:LineSpacing", "wide" } }
            << QVector<double>{ 0, 0, 5, 3, 0, 1 };
    // The lower-case prefix names other attributes.
    QTest::newRow("other prefix") << AttributeMap{ { "tolvenrik:TextDirection", "V" } }
                                  << QVector<double>{ 0, 0, 5, 3, 0, 1 };
}

void TestTextLayout::readsLayoutAttributes()
{
    QFETCH(AttributeMap, attributes);
    QFETCH(QVector<double>, expected);

    QDomDocument document;
    QDomElement text = document.createElement(QStringLiteral("text"));
    for (auto it = attributes.constBegin(); it != attributes.constEnd(); ++it)
        text.setAttribute(it.key(), it.value());
    const TextLayoutAttributes a = readTextLayoutAttributes(text);
    QCOMPARE(QVector<double>({ a.x, a.y, a.lineSpacing, a.wordSpacing, double(a.alignment),
                               double(a.direction) }),
             expected);
    QCOMPARE(alignmentName(a.alignment),
             attributes.value("tolvenRik:Alignment").startsWith("Align") && a.alignment != 0
                     ? attributes.value("tolvenRik:Alignment")
                     : QStringLiteral("AlignLeft"));
    QCOMPARE(directionName(a.direction), a.direction == 0 ? QStringLiteral("V") : QStringLiteral("H"));
}

QTEST_MAIN(TestTextLayout)
#include "tst_textlayout.moc"
