#pragma once

#include "document/node.h"
#include "document/textlayout.h"

#include <QFont>

// "text" and "tspan": the element's first child text, laid out glyph by
// glyph with the layout attributes and the resolved font.
class TextElement : public Node
{
public:
    TextElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QPointF position() const { return {mLayout.x, mLayout.y}; }
    void setPosition(const QPointF &position);
    const TextLayoutAttributes &layoutAttributes() const { return mLayout; }
    QFont font() const { return mFont; }
    // The value of the element's first child node when that is text.
    QString text() const;

    void refreshPaint() override;
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

private:
    QFont resolvedFont() const;
    void setText(const QString &text);
    // Text without its own fill or stroke declaration is drawn solid black
    // without outline.
    void applyTextPaintRule();

    TextLayoutAttributes mLayout;
    QFont mFont;
};
