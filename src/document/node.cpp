#include "document/node.h"

#include "document/svggrammar.h"
#include "document/viewportgeometry.h"
#include "document/engravingattributes.h"
#include "document/fontresolver.h"

#include <QDebug>
#include <QSet>
#include <QFont>
#include <QTextStream>
#include <cmath>

namespace {

// Parsers in this program report some diagnostics on standard output.
void printLine(const QString &text)
{
    QTextStream(stdout) << text << '\n';
}

bool isPlainNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

// A style value read as a plain number, else the attribute read as a length.
bool lookupNumber(const Node *node, const QString &name, double *value)
{
    const auto style = node->style().constFind(name);
    if (style != node->style().constEnd() && isPlainNumber(*style, value))
        return true;
    bool found = false;
    *value = SvgGrammar::attributeLength(node->element(), name, &found);
    return found && std::isfinite(*value);
}

// The style value, else a style-sheet rule, else the attribute; `found`
// tells whether any exists ("inherit" counts as none).
QString lookupString(const Node *node, const QString &name, bool *found)
{
    if (const NodeHost *host = node->host())
        return host->styles().ownValue(node->element(), name, found);
    const auto style = node->style().constFind(name);
    if (style != node->style().constEnd()) {
        *found = true;
        return *style;
    }
    return SvgGrammar::attributeString(node->element(), name, found);
}

// The attributes the inherited fill and stroke are read from, directly or
// through style-sheet rules.
const QSet<QString> &paintSelectors()
{
    static const QSet<QString> names{QStringLiteral("style"), QStringLiteral("fill"),
                                     QStringLiteral("stroke"), QStringLiteral("class"),
                                     QStringLiteral("id")};
    return names;
}

QBrush withOpacity(QBrush brush, double opacity)
{
    if (opacity < 1 && brush.style() == Qt::SolidPattern) {
        QColor color = brush.color();
        color.setAlpha(int(qBound(0.0, opacity, 1.0) * 255));
        brush.setColor(color);
    }
    return brush;
}

// A paint value that refers to a gradient or solid colour by id. Returns
// false when the value is no reference or the id names another kind of
// element, so the caller goes on with a plain colour.
// Longer "xlink:href" chains between gradients are not followed: each hop
// searches the document, and real designs use one or two.
constexpr int maxGradientHops = 32;

// The number of hops from `gradient` to the end of its reference chain, or
// -1 when the chain is longer than maxGradientHops. A cycle ends the chain.
int gradientHops(const NodeHost *document, QDomElement gradient)
{
    QStringList visited;
    for (int hops = 0; hops <= maxGradientHops; ++hops) {
        const QString href = gradient.attribute(QStringLiteral("xlink:href"));
        if (!href.startsWith(QLatin1Char('#')) || visited.contains(href))
            return hops;
        visited.append(href);
        gradient = document->elementById(href.mid(1));
        const QString tag = gradient.tagName();
        if (tag != QLatin1String("linearGradient") && tag != QLatin1String("radialGradient"))
            return hops;
    }
    return -1;
}

// Stops are the gradient's own, else those inherited through "xlink:href"
// from a linear gradient (a radial one passes on no stops).
int gradientStopCount(const NodeHost *document, QDomElement gradient, double opacity)
{
    QStringList visited;
    while (!gradient.isNull()) {
        const int own = SvgGrammar::parseStops(gradient, opacity).size();
        if (own > 0)
            return own;
        const QString href = gradient.attribute(QStringLiteral("xlink:href"));
        if (!href.startsWith(QLatin1Char('#')))
            return 0;
        const QString id = href.mid(1);
        if (visited.contains(id))
            return 0;
        visited.append(id);
        gradient = document->elementById(id);
        if (gradient.tagName() != QLatin1String("linearGradient"))
            return 0;
    }
    return 0;
}

enum class PaintKind { None, Gradient, Solid };
PaintKind referencedPaint(const Node *node, const QString &value, double opacity,
                          QBrush *brush, int *stopCount)
{
    const QString id = SvgGrammar::paintReferenceId(value);
    if (id.isEmpty())
        return PaintKind::None;
    NodeHost *document = node->host();
    const QDomElement target = document ? document->elementById(id) : QDomElement();
    if (target.isNull())
        return PaintKind::None;
    const QString tag = target.tagName();
    if (tag == QLatin1String("linearGradient") || tag == QLatin1String("radialGradient")) {
        // Many elements of a design share a gradient: while a design is
        // built, each is made once per opacity.
        const QString key = id + QLatin1Char('|') + QString::number(opacity);
        if (const NodeHost::CachedPaint *cached = document->cachedPaint(key)) {
            *brush = cached->brush;
            *stopCount = cached->stopCount;
            return PaintKind::Gradient;
        }
        if (gradientHops(document, target) < 0) {
            qDebug() << "gradient reference chain too long:" << id;
            *brush = QBrush();
            *stopCount = 0;
            document->cachePaint(key, {*brush, *stopCount});
            return PaintKind::Gradient;
        }
        QStringList visited{id};
        QGradient gradient;
        if (tag == QLatin1String("linearGradient"))
            gradient = SvgGrammar::parseLinearGradient(target, opacity, visited);
        else
            gradient = SvgGrammar::parseRadialGradient(target, opacity, visited);
        // QGradient::stops() invents black-to-white when there are none, so
        // count the stops the element really has.
        *stopCount = gradientStopCount(document, target, opacity);
        if (*stopCount == 0)
            *brush = QBrush();
        else if (*stopCount == 1)
            *brush = QBrush(gradient.stops().first().second);
        else
            *brush = QBrush(gradient);
        document->cachePaint(key, {*brush, *stopCount});
        return PaintKind::Gradient;
    }
    if (tag == QLatin1String("solidColor")) {
        bool found = false;
        QBrush solid = SvgGrammar::attributeColor(target, QStringLiteral("solid-color"), &found);
        QColor color = solid.color();
        color.setAlpha(int(qBound(0.0, opacity, 1.0) * 255));
        *brush = QBrush(color);
        return PaintKind::Solid;
    }
    return PaintKind::None;
}

int depthOf(const Node *node)
{
    int depth = 0;
    for (const Node *p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

} // namespace

namespace {

// Kinds that have a graphics item when they are on the canvas.
bool hasItemKind(NodeType type)
{
    switch (type) {
    case NodeType::Svg:
    case NodeType::G:
    case NodeType::Rect:
    case NodeType::Circle:
    case NodeType::Ellipse:
    case NodeType::Line:
    case NodeType::Polyline:
    case NodeType::Polygon:
    case NodeType::Path:
    case NodeType::Text:
    case NodeType::A:
    case NodeType::Image:
    case NodeType::Use:
        return true;
    default:
        return false;
    }
}

// Only an svg document element owns the work area; anything under a kind
// without an item (defs, gradients, unknown tags) is never drawn.
bool onCanvas(NodeType type, const Node *parent)
{
    if (!parent)
        return false;
    if (!parent->parent())
        return type == NodeType::Svg;
    return parent->isOnCanvas() && hasItemKind(type);
}

} // namespace

Node::Node(const QDomElement &element, int row, NodeHost *host, Node *parent, NodeType type)
    : mHost(host)
    , mDocument(host ? host->svgDocument() : nullptr)
    , mType(type)
    , mElement(element)
    , mRow(row)
    , mParent(parent)
    , mOnCanvas(onCanvas(type, parent) && (!host || host->styles().isDisplayed(element)))
{
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        mAttributes.insert(attribute.name(), attribute.value());
    }
}

Node::~Node()
{
    qDeleteAll(mChildren);
    // The root above the document element was never announced.
    NodeObserver *observer = mHost && mParent ? mHost->observer() : nullptr;
    if (observer)
        observer->nodeDestroyed(this);
}

QList<Node *> Node::cachedChildren() const
{
    QList<int> rows = mChildren.keys();
    std::sort(rows.begin(), rows.end());
    QList<Node *> children;
    for (int row : rows)
        children.append(mChildren.value(row));
    return children;
}

bool Node::detachChild(Node *child)
{
    if (!child || !hasCachedChild(child) || mElement.isNull())
        return false;
    const int row = child->mRow;
    mElement.removeChild(child->mElement);
    mChildren.remove(row);
    // Rows are child node indices, so every later sibling moves up by one.
    shiftRows(row + 1, -1);
    return true;
}

bool Node::reattachChild(Node *child)
{
    if (!child || child->mParent != this || hasCachedChild(child) || mElement.isNull())
        return false;
    // Back at the row it left (its row is kept while it is out), so undoing
    // removals in reverse order restores the document exactly.
    const QDomNodeList nodes = mElement.childNodes();
    const int row = qBound(0, child->mRow, nodes.count());
    if (row < nodes.count())
        mElement.insertBefore(child->mElement, nodes.item(row));
    else
        mElement.appendChild(child->mElement);
    shiftRows(row, 1);
    child->mRow = row;
    mChildren.insert(row, child);
    return true;
}

void Node::shiftRows(int from, int delta)
{
    QHash<int, Node *> shifted;
    for (auto it = mChildren.cbegin(); it != mChildren.cend(); ++it) {
        Node *sibling = it.value();
        if (it.key() >= from)
            sibling->mRow = it.key() + delta;
        shifted.insert(sibling->mRow, sibling);
    }
    mChildren = shifted;
}

NodeType Node::typeForTag(const QString &tag)
{
    static const QHash<QString, NodeType> types{
        {QStringLiteral("svg"), NodeType::Svg},
        {QStringLiteral("g"), NodeType::G},
        {QStringLiteral("rect"), NodeType::Rect},
        {QStringLiteral("circle"), NodeType::Circle},
        {QStringLiteral("ellipse"), NodeType::Ellipse},
        {QStringLiteral("line"), NodeType::Line},
        {QStringLiteral("polyline"), NodeType::Polyline},
        {QStringLiteral("polygon"), NodeType::Polygon},
        {QStringLiteral("path"), NodeType::Path},
        {QStringLiteral("text"), NodeType::Text},
        {QStringLiteral("tspan"), NodeType::Text},
        {QStringLiteral("a"), NodeType::A},
        {QStringLiteral("image"), NodeType::Image},
        {QStringLiteral("linearGradient"), NodeType::LinearGradient},
        {QStringLiteral("radialGradient"), NodeType::RadialGradient},
        {QStringLiteral("stop"), NodeType::Stop},
        {QStringLiteral("defs"), NodeType::Defs},
        {QStringLiteral("use"), NodeType::Use},
    };
    return types.value(tag, NodeType::Other);
}

Node *Node::child(int row)
{
    if (Node *cached = mChildren.value(row, nullptr))
        return cached;
    const QDomNodeList nodes = mElement.childNodes();
    if (row < 0 || row >= nodes.count())
        return nullptr;
    const QDomNode node = nodes.item(row);
    if (!node.isElement())
        return nullptr;
    return createChild(node.toElement(), row);
}

Node *Node::createChild(const QDomElement &element, int row)
{
    if (depthOf(this) >= maxNestingDepth) {
        static bool reported = false;
        if (!reported)
            qDebug() << "element nesting deeper than" << maxNestingDepth << "levels is not shown";
        reported = true;
        return nullptr;
    }
    Node *node = mHost ? mHost->createNode(element, row, this)
                       : new Node(element, row, nullptr, this, typeForTag(element.tagName()));
    mChildren.insert(row, node);
    if (NodeObserver *observer = mHost ? mHost->observer() : nullptr)
        observer->nodeCreated(node);
    return node;
}

Node *Node::findNode(const QDomElement &element)
{
    QList<Node *> pending{this};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        if (node->mElement == element)
            return node;
        pending.append(node->mChildren.values());
    }
    return nullptr;
}

QTransform Node::itemTransform(const QPointF &origin) const
{
    const QTransform matrix = SvgGrammar::transformFromAttribute(mElement);
    if (matrix.isIdentity())
        return matrix;
    return QTransform::fromTranslate(origin.x(), origin.y()) * matrix
           * QTransform::fromTranslate(-origin.x(), -origin.y());
}

QHash<QString, double> Node::readViewportLengths()
{
    QHash<QString, double> resolved;
    const QDomElement element = mElement;
    if (!ViewportGeometry::resolveGeometry(
                element, [element] { return ViewportGeometry::viewportAround(element); }, &resolved))
        mOnCanvas = false;
    return resolved;
}

double Node::lengthOf(const QHash<QString, double> &resolved, const QString &name) const
{
    const auto found = resolved.constFind(name);
    return found != resolved.constEnd() ? *found : SvgGrammar::attributeLength(mElement, name);
}

void Node::notifyChanged(NodeObserver::Changes changes)
{
    if (NodeObserver *observer = mHost ? mHost->observer() : nullptr)
        observer->nodeChanged(this, changes);
}

QString Node::styleDeclaration(const QString &name) const
{
    return SvgGrammar::parseStyleDeclarations(mElement).value(name);
}

QString Node::setStyleDeclaration(const QString &name, const QString &value)
{
    SvgGrammar::StyleMap declarations = SvgGrammar::parseStyleDeclarations(mElement);
    const QString old = declarations.value(name);
    // An empty value (an undo back to "not declared") removes the declaration.
    if (value.isEmpty())
        declarations.remove(name);
    else
        declarations.insert(name, value);
    setAttribute(QStringLiteral("style"), SvgGrammar::styleToString(declarations));
    parseStyle();
    return old;
}

double Node::safeLength(double value)
{
    constexpr double limit = 1e7;
    if (!std::isfinite(value))
        return 0;
    return qBound(-limit, value, limit);
}

void Node::fitContainerToChildren()
{
    if (mType == NodeType::G || mType == NodeType::Text || mType == NodeType::A)
        notifyChanged(NodeObserver::Children);
}

void Node::setAttribute(const QString &name, const QString &value)
{
    if (mElement.isNull()) {
        printLine(QStringLiteral("Not reset"));
        return;
    }
    if (paintSelectors().contains(name))
        forgetPaint();
    if (value.isEmpty()) {
        mElement.removeAttribute(name);
        mAttributes.remove(name);
        return;
    }
    mElement.setAttribute(name, value);
    mAttributes.insert(name, value);
}

void Node::setAttributes(const QStringList &names, const QStringList &values)
{
    const int count = qMin(names.size(), values.size());
    for (int i = 0; i < count; ++i)
        setAttribute(names.at(i), values.at(i));
}

Node *Node::addChildElement(const QString &tag, const QStringList &names, const QStringList &values)
{
    QDomDocument document = mElement.ownerDocument();
    QDomElement element = document.createElement(tag);
    if (tag == QLatin1String("text"))
        element.appendChild(document.createTextNode(QStringLiteral("Text")));
    return appendChildElement(element, names, values);
}

Node *Node::addTextChildElement(const QString &tag, const QStringList &names,
                                const QStringList &values, const QString &text)
{
    QDomDocument document = mElement.ownerDocument();
    QDomElement element = document.createElement(tag);
    element.appendChild(document.createTextNode(text));
    return appendChildElement(element, names, values);
}

Node *Node::appendChildElement(QDomElement element, const QStringList &names,
                               const QStringList &values)
{
    if (mElement.isNull())
        return nullptr;
    mElement.appendChild(element);
    const int count = qMin(names.size(), values.size());
    for (int i = 0; i < count; ++i) {
        if (values.at(i).isEmpty())
            element.removeAttribute(names.at(i));
        else
            element.setAttribute(names.at(i), values.at(i));
    }
    // The row is the element's index among the child nodes, so it never
    // collides with a cached row and the new item stacks above its siblings.
    const int row = mElement.childNodes().count() - 1;
    return createChild(element, row);
}

void Node::parseStyle()
{
    mStyle.clear();
    const QString style = mElement.attribute(QStringLiteral("style"));
    if (style.isEmpty())
        return;
    const QStringList parts = style.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList pieces = part.trimmed().split(QLatin1Char(':'));
        if (pieces.size() != 2)
            continue;
        const QString name = pieces.at(0).trimmed();
        const QString value = pieces.at(1).trimmed();
        mStyle.insert(name, value);
        mAttributes.insert(name, value);
    }
}

double Node::inheritedNumber(const QString &name, bool (*accept)(double)) const
{
    double value = 1;
    if (lookupNumber(this, name, &value))
        return accept(value) ? value : 1;
    return mParent ? mParent->inheritedNumber(name, accept) : 1;
}

double Node::fillOpacity() const
{
    return inheritedNumber(QStringLiteral("fill-opacity"), [](double v) { return v >= 0 && v <= 1; });
}

double Node::strokeOpacity() const
{
    return inheritedNumber(QStringLiteral("stroke-opacity"), [](double v) { return v >= 0 && v <= 1; });
}

double Node::strokeWidth() const
{
    return inheritedNumber(QStringLiteral("stroke-width"), [](double v) { return v >= 0; });
}

Qt::PenCapStyle Node::lineCap() const
{
    const QString value = SvgGrammar::attributeString(mElement, QStringLiteral("stroke-linecap"));
    Qt::PenCapStyle cap = Qt::FlatCap;
    if (value.isEmpty() || value == QLatin1String("inherit"))
        cap = mParent ? mParent->lineCap() : Qt::FlatCap;
    else if (value == QLatin1String("round"))
        cap = Qt::RoundCap;
    else if (value == QLatin1String("square"))
        cap = Qt::SquareCap;
    return cap;
}

Qt::PenJoinStyle Node::lineJoin() const
{
    const QString value = SvgGrammar::attributeString(mElement, QStringLiteral("stroke-linejoin"));
    Qt::PenJoinStyle join = Qt::SvgMiterJoin;
    if (value.isEmpty() || value == QLatin1String("inherit"))
        join = mParent ? mParent->lineJoin() : Qt::SvgMiterJoin;
    else if (value == QLatin1String("round"))
        join = Qt::RoundJoin;
    else if (value == QLatin1String("bevel"))
        join = Qt::BevelJoin;
    return join;
}

double Node::fontSize() const
{
    return resolveFontSize(mElement, mStyle);
}

QString Node::fontFamily() const
{
    return resolveFontFamily(mElement, mStyle);
}

int Node::fontStyle() const
{
    return resolveFontStyle(mElement, mStyle);
}

int Node::fontWeight() const
{
    return resolveFontWeight(mElement, mStyle);
}

const StyleResolver &Node::styles() const
{
    static const StyleResolver plain;
    return mHost ? mHost->styles() : plain;
}

QString Node::engraveModeValue() const
{
    // Images and containers are judged by their own declaration, which the
    // resolver reads itself; the inherited paint decides for the rest.
    const StyleResolver::Paint &paint = resolvedPaint();
    switch (styles().engraveMode(mElement, paint)) {
    case EngraveMode::Outline:
        return EngravingAttributes::engraveModeOutline;
    case EngraveMode::Fill:
        return paint.fillSet ? paint.fill : QStringLiteral("#000000");
    case EngraveMode::None:
        break;
    }
    return QString();
}

const StyleResolver::Paint &Node::resolvedPaint() const
{
    if (!mPaintKnown) {
        mPaint = styles().paint(mElement, mParent ? mParent->resolvedPaint() : StyleResolver::Paint());
        mPaintKnown = true;
    }
    return mPaint;
}

void Node::forgetPaint()
{
    mPaintKnown = false;
    for (Node *child : qAsConst(mChildren))
        child->forgetPaint();
}

QBrush Node::fillBrush(bool *found, double opacity) const
{
    bool exists = false;
    return fillBrushOf(lookupString(this, QStringLiteral("fill"), &exists), found, opacity);
}

QBrush Node::fillBrushOf(const QString &value, bool *found, double opacity) const
{
    if (opacity == -1)
        opacity = mFillOpacity;
    if (value == QLatin1String("none")) {
        if (found)
            *found = true;
        return QBrush();
    }
    QBrush brush;
    int stops = 0;
    if (referencedPaint(this, value, opacity, &brush, &stops) != PaintKind::None) {
        if (found)
            *found = true;
        return brush;
    }
    bool isColor = false;
    if (!value.isEmpty())
        brush = SvgGrammar::parseColor(value, &isColor);
    if (!isColor) {
        if (mParent)
            return mParent->fillBrush(found, opacity);
        return QBrush(Qt::black);
    }
    if (found)
        *found = true;
    return withOpacity(brush, opacity);
}

QPen Node::strokePen(bool *found, double opacity, double width) const
{
    bool exists = false;
    return strokePenOf(lookupString(this, QStringLiteral("stroke"), &exists), found, opacity, width);
}

QPen Node::strokePenOf(const QString &value, bool *found, double opacity, double width) const
{
    if (opacity == -1)
        opacity = mStrokeOpacity;
    if (width == -1)
        width = mStrokeWidth;
    if (value == QLatin1String("none")) {
        if (found)
            *found = true;
        return QPen(Qt::NoPen);
    }
    QBrush brush;
    int stops = 0;
    const PaintKind kind = referencedPaint(this, value, opacity, &brush, &stops);
    if (kind == PaintKind::Gradient) {
        if (found)
            *found = true;
        QPen pen(brush, width, Qt::SolidLine);
        if (stops >= 2) {
            pen.setCapStyle(Qt::SquareCap);
            pen.setJoinStyle(Qt::BevelJoin);
        } else {
            pen.setCapStyle(mLineCap);
            pen.setJoinStyle(mLineJoin);
        }
        return pen;
    }
    if (kind == PaintKind::Solid) {
        if (found)
            *found = true;
        return QPen(brush, width, Qt::SolidLine, mLineCap, mLineJoin);
    }
    bool isColor = false;
    if (!value.isEmpty())
        brush = SvgGrammar::parseColor(value, &isColor);
    if (!isColor) {
        if (!mParent)
            return QPen(QBrush(), width);
        QPen pen = mParent->strokePen(found, opacity, width);
        pen.setCapStyle(mLineCap);
        pen.setJoinStyle(mLineJoin);
        return pen;
    }
    if (found)
        *found = true;
    return QPen(withOpacity(brush, opacity), width, Qt::SolidLine, mLineCap, mLineJoin);
}

void Node::resolvePaint(QBrush *brush, QPen *pen)
{
    mFillOpacity = fillOpacity();
    mLineCap = lineCap();
    mLineJoin = lineJoin();
    mStrokeOpacity = strokeOpacity();
    mStrokeWidth = strokeWidth();
    // The own values serve the brush and pen and, with the parent's, the
    // paint the engrave mode is read from, so each is looked up once.
    bool fillFound = false;
    const QString fill = lookupString(this, QStringLiteral("fill"), &fillFound);
    bool strokeFound = false;
    const QString stroke = lookupString(this, QStringLiteral("stroke"), &strokeFound);
    if (mHost) {
        // The same lookup the resolver's paint() makes for one element.
        mPaint = mParent ? mParent->resolvedPaint() : StyleResolver::Paint();
        if (fillFound) {
            mPaint.fill = fill;
            mPaint.fillSet = true;
        }
        if (strokeFound) {
            mPaint.stroke = stroke;
            mPaint.strokeSet = true;
        }
        mPaintKnown = true;
    }
    bool found = false;
    *brush = fillBrushOf(fill, &found, -1);
    found = false;
    *pen = strokePenOf(stroke, &found, -1, -1);
}

void Node::prepareDrawable()
{
    readEngravingAttributes();
    parseStyle();
    resolvePaint(&mItemBrush, &mItemPen);
}

void Node::refreshPaint()
{
    resolvePaint(&mItemBrush, &mItemPen);
    notifyChanged(NodeObserver::Paint);
}

AttributeRecord Node::applyPaintDeclaration(const QString &name, const QString &value)
{
    AttributeRecord record{this, {name}, {setStyleDeclaration(name, value)}, {value}};
    refreshPaint();
    return record;
}

std::optional<AttributeRecord> Node::applyAttribute(const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<AttributeRecord> Node::applyTransformOnly(const QString &name, const QString &value)
{
    if (name != QLatin1String("transform"))
        return std::nullopt;
    AttributeRecord record{this, {name}, {mElement.attribute(name)}, {value}};
    setAttribute(name, value);
    notifyChanged(NodeObserver::Transform);
    return record;
}

void Node::readEngravingAttributes()
{
    mEngraving = completeElementParameters(
            mElement, mHost ? mHost->defaultParameters() : DefaultParameters());
}
