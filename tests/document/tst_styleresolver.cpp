#include "document/imageelement.h"
#include "document/node.h"
#include "document/styleresolver.h"
#include "document/svgdocument.h"
#include "document/svgfile.h"

#include "designfixture.h"
#include "messagecapture.h"

#include <QtTest>

// One resolver answers the canvas (the item brush and pen), the property
// summary (the engrave mode) and the generator, so all three agree.
class TestStyleResolver : public QObject
{
    Q_OBJECT

private slots:
    void canvasAndJobAgree_data();
    void canvasAndJobAgree();
    void modeFollowsWrites_data();
    void modeFollowsWrites();
    void sheetRules_data();
    void sheetRules();
    void hiddenElementsHaveNoItem();
    void prefixedRootOpens();
    void compressedFileReads();
    void relativeImageShows();
};

namespace {

QString foreign(const QString &body)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>%1</svg>").arg(body);
}

} // namespace

void TestStyleResolver::canvasAndJobAgree_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fillColour"); // empty: no brush
    QTest::addColumn<QString>("mode");       // the summary's "fill"

    QTest::newRow("attribute") << foreign("<rect id='t' width='5' height='5' fill='#00ff00'/>") << "#00ff00"
                               << "#00ff00";
    QTest::newRow("style wins") << foreign("<rect id='t' width='5' height='5' fill='#00ff00' style='fill:none' stroke='red'/>")
                                << "" << "none";
    QTest::newRow("inherited") << foreign("<g fill='#0000ff'><rect id='t' width='5' height='5'/></g>") << "#0000ff"
                               << "#0000ff";
    QTest::newRow("sheet class") << foreign("<style>.a { fill: #ff0000 }</style><rect id='t' class='a' fill='#00ff00' width='5' height='5'/>")
                                 << "#ff0000" << "#ff0000";
    QTest::newRow("nothing declared") << foreign("<rect id='t' width='5' height='5'/>") << "#000000" << "#000000";
    QTest::newRow("nothing declared in an own design")
            << DesignFixture::svg("<rect id='t' width='5' height='5'/>") << "#000000" << "";
    QTest::newRow("own design, attribute")
            << DesignFixture::svg("<rect id='t' width='5' height='5' fill='#00ff00'/>") << "#00ff00" << "#00ff00";
}

void TestStyleResolver::canvasAndJobAgree()
{
    QFETCH(QString, text);
    QFETCH(QString, fillColour);
    QFETCH(QString, mode);

    SVGDocument document(text);
    Node *node = DesignFixture::nodeById(document, "t");
    QVERIFY(node);
    if (fillColour.isEmpty()) {
        QVERIFY(node->isHollow());
    } else {
        QVERIFY(!node->isHollow());
        QCOMPARE(node->itemBrush().color().name(), fillColour);
    }
    QCOMPARE(node->engraveModeValue(), mode);
    const EngraveMode expected = mode.isEmpty() ? EngraveMode::None
            : mode == "none"                    ? EngraveMode::Outline
                                                : EngraveMode::Fill;
    QCOMPARE(int(document.styles().engraveMode(node->element())), int(expected));
}

void TestStyleResolver::modeFollowsWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");   // id of the element written to
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");      // empty removes the attribute
    QTest::addColumn<QString>("mode");       // of element t afterwards

    QTest::newRow("own fill") << foreign("<rect id='t' width='5' height='5' fill='#00ff00'/>") << "t" << "fill"
                              << "#ff0000" << "#ff0000";
    QTest::newRow("own style") << foreign("<rect id='t' width='5' height='5' fill='#00ff00'/>") << "t" << "style"
                               << "fill:none;stroke:red" << "none";
    QTest::newRow("style removed") << foreign("<rect id='t' width='5' height='5' fill='#00ff00' style='fill:none'/>")
                                   << "t" << "style" << "" << "#00ff00";
    QTest::newRow("parent's fill") << foreign("<g id='g' fill='#0000ff'><rect id='t' width='5' height='5'/></g>")
                                   << "g" << "fill" << "#00ff00" << "#00ff00";
    QTest::newRow("grandparent's style")
            << foreign("<g id='g' style='fill:#0000ff'><g><rect id='t' width='5' height='5'/></g></g>") << "g"
            << "style" << "fill:none;stroke:red" << "none";
    QTest::newRow("class picks a rule")
            << foreign("<style>.a { fill: #ff0000 }</style><rect id='t' fill='#00ff00' width='5' height='5'/>") << "t"
            << "class" << "a" << "#ff0000";
    QTest::newRow("id picks a rule")
            << foreign("<style>#u { fill: #ff0000 }</style><rect id='t' fill='#00ff00' width='5' height='5'/>") << "t"
            << "id" << "u" << "#ff0000";
}

// The mode is kept with the element once resolved: every write that can
// change it, on the element or an ancestor, must be seen.
void TestStyleResolver::modeFollowsWrites()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, mode);

    SVGDocument document(text);
    Node *node = DesignFixture::nodeById(document, "t");
    Node *target = DesignFixture::nodeById(document, written);
    QVERIFY(node && target);
    QVERIFY(node->engraveModeValue() != mode);
    target->setAttribute(name, value);
    QCOMPARE(node->engraveModeValue(), mode);
    // What the generator reads from the written text.
    SVGDocument reread(document.toSvgText());
    const QDomElement fresh = reread.domDocument().elementsByTagName("rect").at(0).toElement();
    bool found = false;
    const QString fill = reread.styles().inheritedValue(fresh, "fill", &found);
    const EngraveMode generated = reread.styles().engraveMode(fresh);
    QCOMPARE(int(generated), int(mode == "none" ? EngraveMode::Outline : EngraveMode::Fill));
    if (generated == EngraveMode::Fill)
        QCOMPARE(fill, mode);
}

void TestStyleResolver::sheetRules_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("fill");

    const QString plain = "<rect id='r' class='x y'/>";
    QTest::newRow("element name") << "rect { fill: red }" << plain << "red";
    QTest::newRow("class") << ".y { fill: red }" << plain << "red";
    QTest::newRow("two classes") << ".x.y { fill: red } .x { fill: blue }" << plain << "red";
    QTest::newRow("id beats class") << "#r { fill: red } .x { fill: blue }" << plain << "red";
    QTest::newRow("later rule of equal weight") << ".x { fill: blue } .y { fill: red }" << plain << "red";
    QTest::newRow("selector list") << "circle, .y { fill: red }" << plain << "red";
    QTest::newRow("universal") << "* { fill: red }" << plain << "red";
    QTest::newRow("comment and important") << "/* .y { fill: blue } */ .y { fill: red !important }" << plain
                                           << "red";
    QTest::newRow("other class") << ".z { fill: red }" << plain << "";
    QTest::newRow("descendant without the ancestor") << "g .y { fill: red }" << plain << "";
    QTest::newRow("descendant") << "svg .y { fill: red }" << plain << "red";
    QTest::newRow("descendant further up") << "svg rect { fill: red }" << "<g><rect id='r'/></g>" << "red";
    QTest::newRow("child") << "svg > rect.y { fill: red }" << plain << "red";
    QTest::newRow("child is not a grandchild") << "svg > rect { fill: red }" << "<g><rect id='r'/></g>" << "";
    QTest::newRow("attribute present") << "[id] { fill: red }" << plain << "red";
    QTest::newRow("attribute value") << "rect[id=\"r\"] { fill: red }" << plain << "red";
    QTest::newRow("attribute word") << "[class~=y] { fill: red }" << plain << "red";
    QTest::newRow("attribute prefix that differs") << "[id^=q] { fill: red }" << plain << "";
    QTest::newRow("id beats a long chain") << "#r { fill: red } svg > rect.x.y[id] { fill: blue }" << plain << "red";
    QTest::newRow("pseudo-class is not followed") << ".y:hover { fill: red }" << plain << "";
    QTest::newRow("sibling combinator is not followed") << "style + rect { fill: red }" << plain << "";
    QTest::newRow("important sheet beats the style attribute")
            << ".y { fill: red !important }" << "<rect id='r' class='y' style='fill:blue'/>" << "red";
    QTest::newRow("important style attribute beats an important sheet")
            << ".y { fill: red !important }" << "<rect id='r' class='y' style='fill:blue !important'/>" << "blue";
    QTest::newRow("important beats specificity")
            << "#r { fill: blue } rect { fill: red ! important }" << plain << "red";
    QTest::newRow("media rule skipped") << "@media print { .y { fill: blue } } " << plain << "";
    QTest::newRow("style attribute beats the sheet") << ".y { fill: red }"
                                                     << "<rect id='r' class='y' style='fill:blue'/>" << "blue";
    QTest::newRow("sheet beats the attribute") << ".y { fill: red }" << "<rect id='r' class='y' fill='blue'/>"
                                               << "red";
}

void TestStyleResolver::sheetRules()
{
    QFETCH(QString, sheet);
    QFETCH(QString, element);
    QFETCH(QString, fill);

    QDomDocument document;
    QVERIFY(document.setContent(foreign("<style>" + sheet + "</style>" + element)));
    const StyleResolver styles(document);
    const QDomElement rect = document.elementsByTagName("rect").item(0).toElement();
    bool found = false;
    QCOMPARE(styles.ownValue(rect, "fill", &found), fill);
    QCOMPARE(found, !fill.isEmpty());
}

void TestStyleResolver::hiddenElementsHaveNoItem()
{
    SVGDocument document(foreign("<style>.off { display: none }</style><rect id='a' class='off' width='5' height='5'/>"
                                 "<rect id='b' width='5' height='5' display='none'/><rect id='c' width='5' height='5'/>"));
    QVERIFY(!DesignFixture::nodeById(document, "a")->isOnCanvas());
    QVERIFY(!DesignFixture::nodeById(document, "b")->isOnCanvas());
    QVERIFY(DesignFixture::nodeById(document, "c")->isOnCanvas());
}

void TestStyleResolver::prefixedRootOpens()
{
    SVGDocument document("<svg:svg xmlns:svg='http://www.w3.org/2000/svg' width='200' height='100'>"
                         "<svg:rect id='r' width='5' height='5'/></svg:svg>");
    QVERIFY(document.svgElement());
    Node *rect = DesignFixture::nodeById(document, "r");
    QVERIFY(rect);
    QCOMPARE(rect->type(), NodeType::Rect);
    QVERIFY(rect->isOnCanvas());
}

void TestStyleResolver::compressedFileReads()
{
    const QString data = qEnvironmentVariable("PLIMB_TEST_DATA") + "/svg/";
    QString text;
    QString error;
    QVERIFY2(SvgFile::readDesign(data + "compressed.svgz", &text, &error), qPrintable(error));
    QVERIFY(text.startsWith("<svg"));
    SVGDocument document(text);
    QVERIFY(document.svgElement());

    // A damaged archive is refused, not read as text.
    QTemporaryDir dir;
    QFile damaged(dir.filePath("damaged.svgz"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    QFile whole(data + "compressed.svgz");
    QVERIFY(whole.open(QIODevice::ReadOnly));
    damaged.write(whole.readAll().left(30));
    damaged.close();
    QVERIFY(!SvgFile::readDesign(damaged.fileName(), &text, &error));
    QVERIFY(!error.isEmpty());
}

// The canvas finds a picture beside the design as the job does.
void TestStyleResolver::relativeImageShows()
{
    QTemporaryDir dir;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QVERIFY(picture.save(dir.filePath("photo.png")));
    SVGDocument document;
    document.setBaseFolder(dir.path());
    document.setSvgText(foreign("<image id='i' width='40' height='30' href='photo.png'/>"));
    auto *image = static_cast<ImageElement *>(DesignFixture::nodeById(document, "i"));
    QCOMPARE(image->type(), NodeType::Image);
    QCOMPARE(image->displayedBitmap().isNull(), false);
    // What is not found is logged, not dropped in silence.
    MessageCapture log;
    SVGDocument again;
    again.setBaseFolder(dir.path());
    again.setSvgText(foreign("<image id='gone' width='40' height='30' xlink:href='gone.png'/>"));
    QVERIFY2(log.text().contains(QLatin1String("gone.png")), qPrintable(log.text()));
    QVERIFY(static_cast<ImageElement *>(DesignFixture::nodeById(again, "gone"))->displayedBitmap().isNull());
}

QTEST_MAIN(TestStyleResolver)
#include "tst_styleresolver.moc"
