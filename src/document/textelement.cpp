#include "document/textelement.h"

#include "canvas/graphicstextitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/engravingattributes.h"
#include "document/svggrammar.h"

#include <QDebug>

TextElement::TextElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::Text)
{
    mLayout = readTextLayoutAttributes(element);
    mLayout.x = safeLength(mLayout.x);
    mLayout.y = safeLength(mLayout.y);
    readEngravingAttributes();
    mTextItem = new GraphicsTextItem(view);
    mTextItem->setPlainText(text());
    mTextItem->setPos(mLayout.x, mLayout.y);
    parseStyle();
    mTextItem->setFont(resolvedFont());
    qDebug() << "TextElement this->getFontFamily()  " << mFontFamily;
    mTextItem->setLineSpacing(mLayout.lineSpacing);
    mTextItem->setWordSpacing(mLayout.wordSpacing);
    mTextItem->setAlignment(mLayout.alignment);
    mTextItem->setDirection(mLayout.direction);
    mTextItem->layout();
    attachItem(mTextItem);
    registerItem(mTextItem);
    view->scene()->connectItem(mTextItem);
    refreshPaint();
}

QString TextElement::text() const
{
    return mElement.firstChild().nodeValue();
}

void TextElement::setPosition(const QPointF &position)
{
    mLayout.x = position.x();
    mLayout.y = position.y();
}

QFont TextElement::resolvedFont()
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

void TextElement::refreshPaint()
{
    QBrush brush;
    QPen pen;
    resolvePaint(&brush, &pen);
    // Text without its own fill or stroke declaration is drawn solid black without outline.
    mTextItem->setBrush(mStyle.contains(QStringLiteral("fill")) ? brush : QBrush(Qt::black));
    mTextItem->setPen(mStyle.contains(QStringLiteral("stroke")) ? pen : QPen(Qt::NoPen));
}

void TextElement::setText(const QString &text)
{
    QDomNode first = mElement.firstChild();
    if (first.isText()) {
        first.setNodeValue(text);
    } else {
        QDomText node = mElement.ownerDocument().createTextNode(text);
        mElement.insertBefore(node, first);
    }
    mTextItem->setPlainText(text);
    mTextItem->layout();
}

std::optional<AttributeRecord> TextElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList declarations{"font-size", "font-style", "font-weight", "font-family",
                                          "line-height"};
    AttributeRecord record{this, {name}, {}, {value}};
    if (declarations.contains(name)) {
        record.oldValues.append(setStyleDeclaration(name, value));
        mTextItem->setFont(resolvedFont());
        mTextItem->layout();
    } else if (name == QLatin1String("fill")) {
        record.oldValues.append(setStyleDeclaration(name, value));
        refreshPaint();
    } else if (name == QLatin1String("word")) {
        const QDomNode first = mElement.firstChild();
        record.oldValues.append(first.isText() ? first.nodeValue() : QStringLiteral("input text"));
        setText(value);
    } else if (name == QLatin1String("x") || name == QLatin1String("y")) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        const double number = safeLength(parseLength(value));
        (name == QLatin1String("x") ? mLayout.x : mLayout.y) = number;
        mTextItem->setPos(mLayout.x, mLayout.y);
        refreshItemTransform();
    } else if (name == QLatin1String("transform")) {
        if (value.isEmpty())
            return std::nullopt;
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        refreshItemTransform();
    } else if (name == EngravingAttributes::lineSpacing || name == EngravingAttributes::wordSpacing) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        const double number = value.toDouble();
        if (name == EngravingAttributes::lineSpacing) {
            mLayout.lineSpacing = number;
            mTextItem->setLineSpacing(number);
        } else {
            mLayout.wordSpacing = number;
            mTextItem->setWordSpacing(number);
        }
        mTextItem->layout();
    } else if (name == EngravingAttributes::alignment) {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        mLayout.alignment = value == QLatin1String("AlignRight")    ? TextAlignRight
                            : value == QLatin1String("AlignCenter") ? TextAlignCenter
                                                                    : TextAlignLeft;
        mTextItem->setAlignment(mLayout.alignment);
        mTextItem->layout();
    } else if (name == EngravingAttributes::textDirection) {
        if (value.isEmpty())
            return std::nullopt;
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        mLayout.direction = value == QLatin1String("V") ? TextVertical : TextHorizontal;
        mTextItem->setDirection(mLayout.direction);
        mTextItem->layout();
    } else {
        return std::nullopt;
    }
    return record;
}
