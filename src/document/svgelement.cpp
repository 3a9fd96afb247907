#include "document/svgelement.h"

#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/svggrammar.h"

#include <QDebug>
#include <QGraphicsRectItem>

SVGElement::SVGElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::Svg)
{
    mWidth = readSize(QStringLiteral("width"));
    mHeight = readSize(QStringLiteral("height"));

    const QStringList box = splitValueList(element, QStringLiteral("viewBox"));
    if (box.size() == 4) {
        bool ok[4] = {};
        const QRectF rect(box.at(0).toDouble(&ok[0]), box.at(1).toDouble(&ok[1]),
                          box.at(2).toDouble(&ok[2]), box.at(3).toDouble(&ok[3]));
        if (ok[0] && ok[1] && ok[2] && ok[3] && rect.width() > 0 && rect.height() > 0) {
            mViewBox = rect;
            mAspectMode = aspectRatioMode(element);
        }
    }

    const QRectF page(0, 0, safeLength(mWidth), safeLength(mHeight));
    mPageRect = new QGraphicsRectItem(page);
    mPageRect->setPen(QPen(Qt::transparent));
    mPageRect->setZValue(0);
    mPageRect->setData(0, QVariant::fromValue(static_cast<void *>(this)));
    fillOpacity();
    strokeOpacity();
    strokeWidth();

    mContentRect = new QGraphicsRectItem(page, mPageRect);
    mContentRect->setBrush(Qt::transparent);
    mContentRect->setPen(QPen(Qt::transparent));
    mContentRect->setZValue(0);
    mItem = mContentRect;
    parseStyle();

    // A nested svg sits inside its parent's item; only the document element
    // owns the scene's work area.
    QGraphicsItem *parentItem = parent ? parent->containerItem() : nullptr;
    if (parentItem) {
        mPageRect->setParentItem(parentItem);
    } else if (view && view->scene()) {
        view->scene()->setSceneRect(page);
        view->scene()->addItem(mPageRect);
    }
}

SVGElement::~SVGElement()
{
    if (!mPageRect->scene() && !mPageRect->parentItem())
        delete mPageRect;
    mItem = nullptr;
}

double SVGElement::readSize(const QString &name)
{
    if (!mElement.hasAttribute(name))
        return -100;
    QString kept;
    for (const QChar c : mElement.attribute(name)) {
        if (c.isDigit() || c == QLatin1Char('.'))
            kept.append(c);
    }
    qDebug() << kept;
    bool ok = false;
    const double value = kept.toDouble(&ok);
    return ok ? value : 0;
}

void SVGElement::setRects(const QRectF &rect)
{
    mPageRect->setRect(rect);
    mContentRect->setRect(rect);
}
