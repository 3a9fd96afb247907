#include "document/svgdocument.h"

#include "document/documentwriter.h"
#include "document/engravingattributes.h"
#include "document/idindex.h"
#include "document/node.h"
#include "document/nodefactory.h"
#include "document/nodeobserver.h"
#include "document/svgelement.h"
#include "document/svgfile.h"
#include "document/svggrammar.h"

#include <QDebug>
#include <QTextStream>
#include <QVector>

#include <cmath>

SVGDocument::SVGDocument(const QString &svgText, QObject *parent)
    : QAbstractItemModel(parent)
{
    setSvgText(svgText);
}

SVGDocument::~SVGDocument()
{
    delete mRoot;
}

bool SVGDocument::setSvgText(const QString &text)
{
    // The old items must leave the canvas with their element objects.
    if (mObserver)
        mObserver->treeAboutToBeReplaced();
    beginResetModel();
    delete mRoot;
    mRoot = nullptr;
    mCurrentLayer = nullptr;
    mLoadNotes.clear();
    // Without namespace processing, prefixed tags are kept as written.
    const bool parsed = mDocument.setContent(text, false);
    if (!parsed && mDocument.documentElement().isNull())
        mDocument = QDomDocument();
    SvgFile::removeSvgPrefix(mDocument);
    mStyles.reset(mDocument);
    cutDeepNesting();
    createRoot();
    endResetModel();
    return parsed;
}

void SVGDocument::cutDeepNesting()
{
    struct Entry
    {
        QDomNode node;
        int depth;
    };
    QVector<Entry> pending;
    QVector<QDomNode> cut;
    if (!mDocument.documentElement().isNull())
        pending.append({mDocument.documentElement(), 1});
    while (!pending.isEmpty()) {
        const Entry entry = pending.takeLast();
        for (QDomNode child = entry.node.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!child.isElement())
                continue;
            if (entry.depth >= maxNestingDepth)
                cut.append(child);
            else
                pending.append({child, entry.depth + 1});
        }
    }
    if (cut.isEmpty())
        return;
    qDebug() << "elements nested deeper than" << maxNestingDepth << "levels removed:" << cut.size();
    mLoadNotes << QStringLiteral("elements nested deeper than %1 levels are left out").arg(maxNestingDepth);
    // Taken apart level by level: freeing a deep subtree at once would recurse as deep.
    while (!cut.isEmpty()) {
        QDomNode node = cut.takeLast();
        node.parentNode().removeChild(node);
        while (node.hasChildNodes()) {
            QDomNode child = node.firstChild();
            node.removeChild(child);
            cut.append(child);
        }
    }
}

void SVGDocument::releaseTree()
{
    beginResetModel();
    delete mRoot;
    mRoot = nullptr;
    mCurrentLayer = nullptr;
    endResetModel();
}

void SVGDocument::createRoot()
{
    mRoot = new Node(QDomElement(), 0, this, nullptr, NodeType::Other);
    const QDomElement top = mDocument.documentElement();
    if (top.isNull())
        return;
    // The row of the document element among the document's child nodes is
    // not used: the root node has it as its only child, row 0.
    Node *node = mRoot->createChild(top, 0);
    if (node)
        buildSubtree(node);
}

void SVGDocument::buildSubtree(Node *node)
{
    struct Frame
    {
        Node *node;
        QDomNode next;
        int row;
    };
    const bool outer = !mBuilding;
    mBuilding = true;
    QVector<Frame> stack;
    stack.append({node, node->element().firstChild(), 0});
    while (!stack.isEmpty()) {
        Frame &top = stack.last();
        if (top.next.isNull()) {
            Node *finished = top.node;
            stack.removeLast();
            finished->fitContainerToChildren();
            continue;
        }
        const QDomNode current = top.next;
        const int row = top.row;
        top.next = current.nextSibling();
        ++top.row;
        if (!current.isElement())
            continue;
        Node *parent = top.node;
        Node *child = parent->cachedChild(row);
        if (!child)
            child = parent->createChild(current.toElement(), row);
        if (child)
            stack.append({child, current.firstChild(), 0});
    }
    if (outer) {
        mBuilding = false;
        mIdCacheValid = false;
        mIdCache.clear();
        mPaintCache.clear();
    }
}

const SVGDocument::CachedPaint *SVGDocument::cachedPaint(const QString &key) const
{
    const auto it = mPaintCache.constFind(key);
    return it == mPaintCache.constEnd() ? nullptr : &it.value();
}

Node *SVGDocument::createNode(const QDomElement &element, int row, Node *parent)
{
    return NodeFactory::create(element, row, this, parent);
}

void SVGDocument::cachePaint(const QString &key, const CachedPaint &paint)
{
    if (mBuilding)
        mPaintCache.insert(key, paint);
}

SVGElement *SVGDocument::svgElement() const
{
    if (!mRoot || mRoot->cachedChildCount() != 1) {
        QTextStream(stdout) << "Error!  Doc root did not have one child!\n";
        return nullptr;
    }
    Node *child = mRoot->cachedChildren().first();
    if (!child || child->type() != NodeType::Svg) {
        QTextStream(stdout) << "Error!  Root of document was not of type <svg>\n";
        return nullptr;
    }
    auto *svg = dynamic_cast<SVGElement *>(child);
    if (!svg) {
        QTextStream(stdout) << "Could not find the <svg> node\n";
        return nullptr;
    }
    return svg;
}

Node *SVGDocument::nodeForElement(const QDomElement &element) const
{
    return mRoot ? mRoot->findNode(element) : nullptr;
}

QDomElement SVGDocument::elementById(const QString &id) const
{
    if (id.isEmpty())
        return QDomElement();
    if (!mBuilding)
        return SvgGrammar::elementById(mDocument.documentElement(), id);
    if (!mIdCacheValid) {
        mIdCache = SvgGrammar::idIndex(mDocument.documentElement());
        mIdCacheValid = true;
    }
    return mIdCache.value(id);
}

QString SVGDocument::toSvgText() const
{
    return ::toSvgText(mDocument);
}

Node *SVGDocument::nodeOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return mRoot;
    return static_cast<Node *>(index.internalPointer());
}

QModelIndex SVGDocument::indexOf(Node *node) const
{
    if (!node || node == mRoot)
        return QModelIndex();
    return createIndex(node->row(), 0, node);
}

bool SVGDocument::detachNode(Node *node)
{
    Node *parentNode = node ? node->parent() : nullptr;
    if (!parentNode || !parentNode->hasCachedChild(node))
        return false;
    const int row = node->row();
    beginRemoveRows(indexOf(parentNode), row, row);
    const bool done = parentNode->detachChild(node);
    endRemoveRows();
    mIdCacheValid = false;
    if (!done)
        return false;
    if (mObserver)
        mObserver->nodeDetached(node);
    parentNode->fitContainerToChildren();
    return true;
}

bool SVGDocument::reattachNode(Node *node)
{
    Node *parentNode = node ? node->parent() : nullptr;
    if (!parentNode || parentNode->hasCachedChild(node))
        return false;
    const int row = qBound(0, node->row(), parentNode->element().childNodes().count());
    beginInsertRows(indexOf(parentNode), row, row);
    const bool done = parentNode->reattachChild(node);
    endInsertRows();
    mIdCacheValid = false;
    if (!done)
        return false;
    if (mObserver)
        mObserver->nodeReattached(node);
    parentNode->fitContainerToChildren();
    return true;
}

namespace {

// The element's engraving parameter named by a "tolvenrik:" attribute.
double *engravingField(PaintParameter &p, const QString &name)
{
    using namespace EngravingAttributes;
    if (name == scanTimes) return &p.scanTimes;
    if (name == scanBuffer) return &p.scanBuffer;
    if (name == scanAccuracy) return &p.scanAccuracy;
    if (name == scanAngle) return &p.scanAngle;
    if (name == scanError) return &p.scanError;
    if (name == scanPower) return &p.scanPower;
    if (name == scanSpeed) return &p.scanSpeed;
    if (name == XMotorMovementError) return &p.XMotorMovementError;
    if (name == YMotorMovementError) return &p.YMotorMovementError;
    return nullptr;
}

} // namespace

std::optional<AttributeRecord> SVGDocument::applyAttribute(Node *element, const QString &name,
                                                           const QString &value)
{
    if (!element)
        return std::nullopt;
    if (name == QLatin1String("style") && element->isOnCanvas()) {
        AttributeRecord record{element, {name}, {element->element().attribute(name)}, {value}};
        element->setAttribute(name, value);
        element->parseStyle();
        element->refreshPaint();
        return record;
    }
    if (double *field = engravingField(element->engraving(), name)) {
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (!isNumber || !std::isfinite(number))
            return std::nullopt;
        // An attribute the element lacks is recorded as the value it stood
        // for, so that undo gives the same job back.
        const QString old = element->element().hasAttribute(name)
                ? element->element().attribute(name)
                : formatParameter(*field);
        element->setAttribute(name, value);
        *field = number;
        return AttributeRecord{element, {name}, {old}, {value}};
    }
    return element->applyAttribute(name, value);
}

QModelIndex SVGDocument::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    Node *parentNode = nodeOf(parent);
    if (!parentNode)
        return QModelIndex();
    Node *child = parentNode == mRoot ? parentNode->cachedChild(0) : parentNode->child(row);
    if (!child)
        return QModelIndex();
    return createIndex(row, column, child);
}

QModelIndex SVGDocument::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    Node *node = nodeOf(index);
    Node *parentNode = node ? node->parent() : nullptr;
    if (!parentNode || parentNode == mRoot)
        return QModelIndex();
    return createIndex(parentNode->row(), 0, parentNode);
}

int SVGDocument::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    Node *node = nodeOf(parent);
    if (!node)
        return 0;
    if (node == mRoot)
        return mRoot->cachedChildCount() > 0 ? 1 : 0;
    return node->element().childNodes().count();
}

int SVGDocument::columnCount(const QModelIndex &) const
{
    return 2;
}

QVariant SVGDocument::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    Node *node = nodeOf(index);
    if (index.column() == 0)
        return node->element().nodeName();
    if (index.column() == 1)
        return node->element().attribute(QStringLiteral("id"));
    return QVariant();
}

QVariant SVGDocument::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    if (section == 0)
        return tr("Element");
    if (section == 1)
        return tr("id");
    return QVariant();
}

Qt::ItemFlags SVGDocument::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}
