#include "document/svgelement.h"

#include "document/svggrammar.h"

#include <QDebug>

SVGElement::SVGElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Svg)
{
    mWidth = readSize(QStringLiteral("width"));
    mHeight = readSize(QStringLiteral("height"));

    const QStringList box = SvgGrammar::splitValueList(element, QStringLiteral("viewBox"));
    if (box.size() == 4) {
        bool ok[4] = {};
        const QRectF rect(box.at(0).toDouble(&ok[0]), box.at(1).toDouble(&ok[1]),
                          box.at(2).toDouble(&ok[2]), box.at(3).toDouble(&ok[3]));
        if (ok[0] && ok[1] && ok[2] && ok[3] && rect.width() > 0 && rect.height() > 0) {
            mViewBox = rect;
            mAspectMode = SvgGrammar::aspectRatioMode(element);
        }
    }

    mPageRect = QRectF(0, 0, safeLength(mWidth), safeLength(mHeight));
    // Descendants inherit these.
    mFillOpacity = fillOpacity();
    mStrokeOpacity = strokeOpacity();
    mStrokeWidth = strokeWidth();
    parseStyle();
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
    mPageRect = rect;
    notifyChanged(NodeObserver::Geometry);
}
