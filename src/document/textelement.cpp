#include "document/textelement.h"

#include "document/engravingattributes.h"
#include "document/svggrammar.h"

#include <QDebug>

TextElement::TextElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Text)
{
    mLayout = readTextLayoutAttributes(element);
    mLayout.x = safeLength(mLayout.x);
    mLayout.y = safeLength(mLayout.y);
    prepareDrawable();
    applyTextPaintRule();
    mFont = resolvedFont();
    qDebug() << "TextElement this->getFontFamily()  " << mFont.family();
}

QString TextElement::text() const
{
    // A comment or a tspan first holds no text of the element's own.
    const QDomNode first = mElement.firstChild();
    return first.isText() ? first.nodeValue() : QString();
}

void TextElement::setPosition(const QPointF &position)
{
    mLayout.x = position.x();
    mLayout.y = position.y();
}

QFont TextElement::resolvedFont() const
{
    QFont font(fontFamily());
    // Sizes beyond any engraver's bed only make the glyph outlines explode.
    const double size = fontSize();
    font.setPointSizeF(size > 0 ? qMin(size, 5000.0) : QFont().pointSizeF());
    font.setStyle(fontStyle() == 1 ? QFont::StyleItalic
                                   : fontStyle() == 2 ? QFont::StyleOblique : QFont::StyleNormal);
    font.setWeight(fontWeight());
    return font;
}

void TextElement::applyTextPaintRule()
{
    if (!mStyle.contains(QStringLiteral("fill")))
        mItemBrush = QBrush(Qt::black);
    if (!mStyle.contains(QStringLiteral("stroke")))
        mItemPen = QPen(Qt::NoPen);
}

void TextElement::refreshPaint()
{
    resolvePaint(&mItemBrush, &mItemPen);
    applyTextPaintRule();
    notifyChanged(NodeObserver::Paint);
}

void TextElement::setText(const QString &text)
{
    QDomNode first = mElement.firstChild();
    // An empty text has no text node, as the parser reads "<text></text>";
    // undoing the first text typed into one thus restores it exactly.
    if (first.isText() && text.isEmpty()) {
        mElement.removeChild(first);
    } else if (first.isText()) {
        first.setNodeValue(text);
    } else if (!text.isEmpty()) {
        QDomText node = mElement.ownerDocument().createTextNode(text);
        mElement.insertBefore(node, first);
    }
}

std::optional<AttributeRecord> TextElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList declarations{"font-size", "font-style", "font-weight", "font-family",
                                          "line-height"};
    if (name == QLatin1String("fill"))
        return applyPaintDeclaration(name, value);
    AttributeRecord record{this, {name}, {}, {value}};
    NodeObserver::Changes changes = NodeObserver::Text;
    if (declarations.contains(name)) {
        record.oldValues.append(setStyleDeclaration(name, value));
        mFont = resolvedFont();
    } else if (name == QLatin1String("word")) {
        // The former text itself, empty when there was none, so undo puts
        // back what was there and not a stand-in.
        record.oldValues.append(text());
        setText(value);
    } else if (name == QLatin1String("x") || name == QLatin1String("y")) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        const double number = safeLength(SvgGrammar::parseLength(value));
        (name == QLatin1String("x") ? mLayout.x : mLayout.y) = number;
        changes = NodeObserver::Geometry;
    } else if (name == QLatin1String("transform")) {
        // Empty: an undo back to no transform.
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        changes = NodeObserver::Transform;
    } else if (name == EngravingAttributes::lineSpacing || name == EngravingAttributes::wordSpacing) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        const double number = value.toDouble();
        if (name == EngravingAttributes::lineSpacing)
            mLayout.lineSpacing = number;
        else
            mLayout.wordSpacing = number;
    } else if (name == EngravingAttributes::alignment) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        mLayout.alignment = value == QLatin1String("AlignRight")    ? TextAlignRight
                            : value == QLatin1String("AlignCenter") ? TextAlignCenter
                                                                    : TextAlignLeft;
    } else if (name == EngravingAttributes::textDirection) {
        if (value.isEmpty())
            return std::nullopt;
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        mLayout.direction = value == QLatin1String("V") ? TextVertical : TextHorizontal;
    } else {
        return std::nullopt;
    }
    notifyChanged(changes);
    return record;
}
