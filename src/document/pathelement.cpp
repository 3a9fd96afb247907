#include "document/pathelement.h"

#include "document/svggrammar.h"

PathElement::PathElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Path)
{
    build(SvgGrammar::pathFromAttribute(element, QStringLiteral("d")));
}

PathElement::PathElement(const QDomElement &element, int row, NodeHost *document, Node *parent,
                         NodeType type)
    : Node(element, row, document, parent, type)
{
}

PolylineElement::PolylineElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : PathElement(element, row, document, parent, NodeType::Polyline)
{
    build(pointsPath(false));
}

PolygonElement::PolygonElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : PathElement(element, row, document, parent, NodeType::Polygon)
{
    build(pointsPath(true));
}

QPainterPath PathElement::pointsPath(bool closed) const
{
    const QStringList pieces = SvgGrammar::splitValueList(mElement, QStringLiteral("points"));
    QPainterPath path;
    if (pieces.isEmpty() || pieces.size() % 2 != 0)
        return path;
    for (int i = 0; i < pieces.size(); i += 2) {
        bool okX = false;
        bool okY = false;
        const QPointF point(pieces.at(i).toDouble(&okX), pieces.at(i + 1).toDouble(&okY));
        if (!okX || !okY)
            return QPainterPath();
        if (i == 0)
            path.moveTo(safeLength(point.x()), safeLength(point.y()));
        else
            path.lineTo(safeLength(point.x()), safeLength(point.y()));
    }
    if (closed)
        path.closeSubpath();
    return path;
}

void PathElement::build(QPainterPath path)
{
    const bool evenOdd = mElement.attribute(QStringLiteral("fill-rule")) == QLatin1String("evenodd");
    path.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    mPath = path;
    prepareDrawable();
}

void PathElement::setPath(const QPainterPath &path)
{
    const Qt::FillRule rule = mPath.fillRule();
    mPath = path;
    mPath.setFillRule(rule);
}

std::optional<AttributeRecord> PathElement::applyAttribute(const QString &name, const QString &value)
{
    // Polylines and polygons take the transform their moves are written as.
    if (mType != NodeType::Path)
        return applyTransformOnly(name, value);
    if (name == QLatin1String("fill"))
        return applyPaintDeclaration(name, value);
    QString transform = mElement.attribute(QStringLiteral("transform"));
    const QString old = transform;
    if (name == QLatin1String("x"))
        SvgGrammar::prependTranslate(transform, QStringLiteral("translate(%1, 0)").arg(value));
    else if (name == QLatin1String("y"))
        SvgGrammar::prependTranslate(transform, QStringLiteral("translate(0, %1)").arg(value));
    else if (name == QLatin1String("transform"))
        transform = value;
    else
        return std::nullopt;
    // A path has no "x" or "y": the distance goes into its transform, and the
    // record keeps the transform texts so that replaying it does not move twice.
    setAttribute(QStringLiteral("transform"), transform);
    notifyChanged(NodeObserver::Transform);
    return AttributeRecord{this, {QStringLiteral("transform")}, {old}, {transform}};
}
