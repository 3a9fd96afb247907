#include "document/svgpicture.h"

#include "document/picturereader.h"
#include "document/svgfile.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QUrl>

#include <cmath>
#include <vector>

namespace {

QString hrefOf(const QDomElement &image)
{
    QString href = image.attribute(QStringLiteral("xlink:href"));
    if (href.isEmpty())
        href = image.attribute(QStringLiteral("href"));
    return href.trimmed();
}

void setHref(QDomElement &image, const QString &href)
{
    image.setAttribute(QStringLiteral("xlink:href"), href);
    image.removeAttribute(QStringLiteral("href"));
}

void note(QStringList *notes, const QString &text)
{
    qDebug().noquote() << text;
    if (notes && !notes->contains(text))
        notes->append(text);
}

QString shortName(const QString &href)
{
    return href.startsWith(QLatin1String("data:")) ? QStringLiteral("embedded picture") : href;
}

QByteArray unpacked(const QByteArray &bytes)
{
    QByteArray plain;
    if (bytes.startsWith("\x1f\x8b") && SvgFile::gunzip(bytes, &plain))
        return plain;
    return bytes;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage decodeBitmap(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Only the bitmap formats: an SVG never reaches Qt's own SVG reader.
    if (reader.format() == "svg" || reader.format() == "svgz")
        return QImage();
    // A picture too large to decode is refused from its header alone.
    if (!PictureReader::dataProblem(bytes).isEmpty())
        return QImage();
    return reader.read();
}

// The picture of bytes already read for `href`; `file` is their absolute
// path, empty for inline data. Drawings are checked against the chain of
// drawings they are inside before they are rendered.
QImage pictureOf(const QString &href, const QByteArray &bytes, const QString &file,
                 const QString &baseFolder, QStringList *notes, const QStringList &chain)
{
    if (!SvgPicture::isSvg(bytes))
        return decodeBitmap(bytes);
    if (!file.isEmpty() && chain.contains(file)) {
        note(notes, QStringLiteral("picture \"%1\" shows itself and is left out").arg(shortName(href)));
        return QImage();
    }
    if (chain.size() >= SvgPicture::maxDepth) {
        note(notes, QStringLiteral("pictures nested deeper than %1 levels are left out").arg(SvgPicture::maxDepth));
        return QImage();
    }
    QStringList inner = chain;
    inner.append(file);    // inline data (no file) still counts as a level
    const QString folder = file.isEmpty() ? baseFolder : QFileInfo(file).absolutePath();
    return SvgPicture::render(bytes, folder, notes, inner);
}

std::vector<QDomElement> imagesOf(const QDomDocument &document)
{
    std::vector<QDomElement> images;
    const QDomNodeList list = document.elementsByTagName(QStringLiteral("image"));
    for (int i = 0; i < list.size(); ++i)
        images.push_back(list.item(i).toElement());
    return images;
}

} // namespace

bool SvgPicture::isSvg(const QByteArray &bytes)
{
    const QByteArray head = unpacked(bytes.left(1 << 16)).left(4096);
    int i = 0;
    // A byte order mark and white space may come first.
    if (head.startsWith("\xef\xbb\xbf"))
        i = 3;
    while (i < head.size() && std::isspace(uchar(head.at(i))))
        ++i;
    if (i >= head.size() || head.at(i) != '<')
        return false;
    return head.contains("<svg") || head.contains(":svg");
}

bool SvgPicture::read(const QString &href, const QString &baseFolder, QByteArray *bytes, QString *file)
{
    if (file)
        file->clear();
    const QString trimmed = href.trimmed();
    if (trimmed.startsWith(QLatin1String("data:"))) {
        const int comma = trimmed.indexOf(QLatin1Char(','));
        if (comma < 0)
            return false;
        const QString header = trimmed.left(comma);
        const QByteArray payload = trimmed.mid(comma + 1).toLatin1();
        *bytes = header.endsWith(QLatin1String(";base64")) ? QByteArray::fromBase64(payload)
                                                          : QByteArray::fromPercentEncoding(payload);
        return !bytes->isEmpty();
    }
    const QString path = SvgFile::pictureFile(trimmed, baseFolder);
    if (path.isEmpty())
        return false;
    if (file)
        *file = QFileInfo(path).absoluteFilePath();
    QFile in(path);
    if (!QFileInfo(path).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    *bytes = in.readAll();
    return true;
}

QImage SvgPicture::decode(const QByteArray &bytes, const QString &folder, QStringList *notes,
                          const QStringList &chain)
{
    if (!isSvg(bytes))
        return decodeBitmap(bytes);
    if (chain.size() >= maxDepth) {
        note(notes, QStringLiteral("pictures nested deeper than %1 levels are left out").arg(maxDepth));
        return QImage();
    }
    return render(bytes, folder, notes, chain + QStringList(QString()));
}

QImage SvgPicture::load(const QString &href, const QString &baseFolder, QStringList *notes,
                        const QStringList &chain)
{
    QByteArray bytes;
    QString file;
    if (!read(href, baseFolder, &bytes, &file))
        return QImage();
    return pictureOf(href, bytes, file, baseFolder, notes, chain);
}

void SvgPicture::embedDrawings(QDomDocument &document, const QString &folder, QStringList *notes,
                               const QStringList &chain)
{
    for (QDomElement &image : imagesOf(document)) {
        const QString href = hrefOf(image);
        QByteArray bytes;
        QString file;
        if (!read(href, folder, &bytes, &file))
            continue;
        if (!isSvg(bytes)) {
            // A bitmap by its full path: the text is read from memory, so a
            // relative reference would start from the working folder.
            if (!file.isEmpty())
                setHref(image, file);
            continue;
        }
        const QImage picture = pictureOf(href, bytes, file, folder, notes, chain);
        if (picture.isNull()) {
            image.parentNode().removeChild(image);
            continue;
        }
        setHref(image, QStringLiteral("data:image/png;base64,") + QString::fromLatin1(pngBytes(picture).toBase64()));
    }
}

QImage SvgPicture::render(const QByteArray &bytes, const QString &folder, QStringList *notes,
                          const QStringList &chain)
{
    QDomDocument document;
    if (!document.setContent(unpacked(bytes), false))
        return QImage();
    SvgFile::removeSvgPrefix(document);
    embedDrawings(document, folder, notes, chain);
    QSvgRenderer renderer;
    if (!renderer.load(document.toByteArray()))
        return QImage();
    QSizeF size = renderer.defaultSize();
    if (size.isEmpty())
        size = renderer.viewBoxF().size();
    if (size.isEmpty())
        return QImage();
    const double scale = std::min(1.0, maxSide / std::max(size.width(), size.height()));
    QImage image(std::max(1, int(std::ceil(size.width() * scale))), std::max(1, int(std::ceil(size.height() * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QImage();
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

void SvgPicture::fitPictures(QDomDocument &document, QStringList *notes)
{
    for (QDomElement &image : imagesOf(document)) {
        const QString href = hrefOf(image);
        QByteArray bytes;
        if (!read(href, QString(), &bytes))
            continue;    // a missing file is reported where it is looked up
        QImage picture = decodeBitmap(bytes);
        if (picture.isNull()) {
            note(notes, QStringLiteral("picture \"%1\" cannot be decoded and is not engraved").arg(shortName(href)));
            image.parentNode().removeChild(image);
            continue;
        }
        const bool hasWidth = image.hasAttribute(QStringLiteral("width"));
        const bool hasHeight = image.hasAttribute(QStringLiteral("height"));
        double width = image.attribute(QStringLiteral("width")).toDouble();
        double height = image.attribute(QStringLiteral("height")).toDouble();
        // A picture's own size counts one pixel as one user unit.
        if (!hasWidth && !hasHeight) {
            width = picture.width();
            height = picture.height();
        } else if (!hasWidth) {
            width = height * picture.width() / picture.height();
        } else if (!hasHeight) {
            height = width * picture.height() / picture.width();
        }
        image.setAttribute(QStringLiteral("width"), QString::number(width, 'g', 12));
        image.setAttribute(QStringLiteral("height"), QString::number(height, 'g', 12));
        const QStringList words = image.attribute(QStringLiteral("preserveAspectRatio"))
                                          .simplified()
                                          .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString align = words.value(0, QStringLiteral("xMidYMid"));
        if (align == QLatin1String("none") || !(width > 0) || !(height > 0))
            continue;
        const double boxAspect = width / height;
        const double pictureAspect = double(picture.width()) / picture.height();
        if (std::abs(boxAspect / pictureAspect - 1) < 1e-6)
            continue;
        // The picture redrawn at the box's aspect: bands of nothing beside a
        // "meet" picture, the overhang of a "slice" one cut away.
        const bool slice = words.value(1) == QLatin1String("slice");
        const double scale = slice ? std::max(width / picture.width(), height / picture.height())
                                   : std::min(width / picture.width(), height / picture.height());
        const double fx = align.contains(QLatin1String("xMin")) ? 0 : align.contains(QLatin1String("xMax")) ? 1 : 0.5;
        const double fy = align.contains(QLatin1String("YMin")) ? 0 : align.contains(QLatin1String("YMax")) ? 1 : 0.5;
        // Enough pixels that the bands fall on pixel edges, each of the
        // picture's pixels kept sharp.
        const double pixels = std::max(1.0, 64.0 / std::min(picture.width(), picture.height()));
        const QSize canvas(std::max(1, int(std::lround(width / scale * pixels))),
                           std::max(1, int(std::lround(height / scale * pixels))));
        if (double(canvas.width()) * canvas.height() > double(maxSide) * maxSide)
            continue;
        QImage fitted(canvas, QImage::Format_ARGB32_Premultiplied);
        fitted.fill(Qt::transparent);
        QPainter painter(&fitted);
        const QSizeF drawn = QSizeF(picture.size()) * pixels;
        painter.drawImage(QRectF(QPointF((canvas.width() - drawn.width()) * fx, (canvas.height() - drawn.height()) * fy),
                                 drawn),
                          picture);
        painter.end();
        setHref(image, QStringLiteral("data:image/png;base64,") + QString::fromLatin1(pngBytes(fitted).toBase64()));
        image.removeAttribute(QStringLiteral("preserveAspectRatio"));
    }
}
