#include "document/imageelement.h"

#include "document/svggrammar.h"
#include "document/viewportgeometry.h"

#include "document/nodehost.h"
#include "document/svgfile.h"
#include "document/picturereader.h"
#include "document/svgpicture.h"

#include <QDebug>
#include <QTextStream>

namespace {
// Scaling a bitmap beyond this many pixels would take gigabytes; such an
// image is shown at its own size instead.
constexpr double maxScaledPixels = 64e6;
} // namespace

ImageElement::ImageElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Image)
{
    const QHash<QString, double> lengths = readViewportLengths();
    mX = safeLength(lengthOf(lengths, QStringLiteral("x")));
    mY = safeLength(lengthOf(lengths, QStringLiteral("y")));
    mWidth = safeLength(lengthOf(lengths, QStringLiteral("width")));
    mHeight = safeLength(lengthOf(lengths, QStringLiteral("height")));
    if (mWidth < 0)
        QTextStream(stdout) << "Error!  Width of image is negative\n";
    if (mHeight < 0)
        QTextStream(stdout) << "Error!  Height of image is negative\n";
    QString href = element.attribute(QStringLiteral("xlink:href"));
    if (href.isEmpty())
        href = element.attribute(QStringLiteral("href"));
    // A picture referenced by path is found from the design file's folder.
    const QString file = SvgFile::pictureFile(href, document ? document->baseFolder() : QString());
    // Refused from the file's kind and the picture's header before anything
    // is decoded: a pipe would block, a huge picture would exhaust memory.
    QString problem = file.isEmpty() ? PictureReader::dataProblem(PictureReader::inlineBytes(href))
                                     : PictureReader::fileProblem(file);
    if (problem.isEmpty())
        mBitmap = file.isEmpty() ? decodeHref(href) : SvgPicture::load(file, QString());
    if (mBitmap.isNull() && !file.isEmpty() && problem == QLatin1String("not found"))
        qDebug().noquote() << QStringLiteral("image \"%1\" is not found").arg(href.trimmed());
    else if (mBitmap.isNull() && !href.trimmed().isEmpty())
        qDebug().noquote() << QStringLiteral("image \"%1\" is not shown: %2")
                                      .arg(file.isEmpty() ? QStringLiteral("data:") : href.trimmed(),
                                           problem.isEmpty() ? QStringLiteral("it cannot be decoded") : problem);
    prepareDrawable();
}

QImage ImageElement::decodeHref(const QString &href)
{
    return SvgPicture::decode(PictureReader::inlineBytes(href), QString());
}

void ImageElement::setPosition(const QPointF &position)
{
    mX = position.x();
    mY = position.y();
}

QImage ImageElement::displayedBitmap() const
{
    const int width = int(qAbs(mWidth));
    const int height = int(qAbs(mHeight));
    if (mBitmap.isNull() || width == 0 || height == 0)
        return mBitmap;
    if (double(width) * height > maxScaledPixels) {
        qDebug() << "image too large to scale:" << width << "x" << height;
        return mBitmap;
    }
    return mBitmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

std::optional<AttributeRecord> ImageElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList accepted{"x", "y", "width", "height", "transform", "tolvenrik:image"};
    if (!accepted.contains(name))
        return std::nullopt;
    AttributeRecord record{this, {name}, {mElement.attribute(name)}, {value}};
    setAttribute(name, value);
    const double number = safeLength(ViewportGeometry::geometryLength(mElement, name, value));
    NodeObserver::Changes changes = NodeObserver::Geometry;
    if (name == QLatin1String("x")) {
        mX = number;
    } else if (name == QLatin1String("y")) {
        mY = number;
    } else if (name == QLatin1String("width")) {
        mWidth = number;
        changes |= NodeObserver::Bitmap;
    } else if (name == QLatin1String("height")) {
        mHeight = number;
        changes |= NodeObserver::Bitmap;
    } else if (name == QLatin1String("tolvenrik:image")) {
        // The canvas shows the picture as the mode processes it.
        changes |= NodeObserver::Bitmap;
    }
    notifyChanged(changes);
    return record;
}
