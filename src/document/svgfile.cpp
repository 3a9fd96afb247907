#include "document/svgfile.h"

#include "document/inputlimits.h"
#include "document/styleresolver.h"
#include "document/svgnumbers.h"
#include "document/xmlinputcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextCodec>
#include <QUrl>

#include <vector>
#include <zlib.h>

namespace SvgFile {

namespace {

const QString svgNamespace = QStringLiteral("http://www.w3.org/2000/svg");

// Millimetres per unit of a physical length.
double millimetresPer(const QString &unit)
{
    if (unit == QLatin1String("mm"))
        return 1;
    if (unit == QLatin1String("cm"))
        return 10;
    if (unit == QLatin1String("in"))
        return 25.4;
    if (unit == QLatin1String("pt"))
        return 25.4 / 72;
    if (unit == QLatin1String("pc"))
        return 25.4 / 6;
    return 0;
}

bool hasEngravingAttribute(const QDomElement &root)
{
    std::vector<QDomElement> stack{ root };
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        const QDomNamedNodeMap attributes = e.attributes();
        for (int i = 0; i < attributes.count(); ++i) {
            if (attributes.item(i).nodeName().startsWith(QLatin1String("tolvenrik:"), Qt::CaseInsensitive))
                return true;
        }
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    return false;
}

} // namespace

bool gunzip(const QByteArray &packed, QByteArray *plain, qint64 maxBytes, bool *tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    if (packed.size() < 18 || uchar(packed.at(0)) != 0x1f || uchar(packed.at(1)) != 0x8b)
        return false;
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip header and trailer around the deflate data.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    QByteArray out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        const qint64 produced = qint64(sizeof buffer - stream.avail_out);
        // Checked before the append: a few kilobytes may unpack to gigabytes.
        if (out.size() + produced > maxBytes) {
            if (tooLarge)
                *tooLarge = true;
            status = Z_MEM_ERROR;
            break;
        }
        out.append(buffer, int(produced));
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return false;
    *plain = out;
    return true;
}

bool readDesign(const QString &path, QString *text, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // A pipe or a device would block the read or never end; it is not opened.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (file.size() > InputLimits::maxDesignBytes)
        return fail(QStringLiteral("larger than %1 MB").arg(InputLimits::maxDesignBytes >> 20));
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\x1f\x8b")) {
        QByteArray plain;
        bool tooLarge = false;
        if (!gunzip(bytes, &plain, InputLimits::maxDesignBytes, &tooLarge)) {
            return fail(tooLarge ? QStringLiteral("the compressed design unpacks to more than %1 MB")
                                           .arg(InputLimits::maxDesignBytes >> 20)
                                 : QStringLiteral("the compressed design does not unpack"));
        }
        bytes = plain;
    }
    const QString problem = XmlInputCheck::problem(bytes);
    if (!problem.isEmpty())
        return fail(problem);
    *text = decodeText(bytes);
    return true;
}

QString decodeText(const QByteArray &bytes)
{
    // A byte order mark says it all; otherwise the XML declaration names the
    // encoding, UTF-8 when it names none or one we do not know.
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, nullptr);
    if (!codec) {
        static const QRegularExpression declaration(
                QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
        const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(bytes.left(256)));
        if (match.hasMatch())
            codec = QTextCodec::codecForName(match.captured(1).toLatin1());
    }
    if (!codec)
        codec = QTextCodec::codecForName("UTF-8");
    QString text = codec->toUnicode(bytes);
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    return text;
}

void removeSvgPrefix(QDomDocument &document)
{
    const QDomElement root = document.documentElement();
    const QString tag = root.tagName();
    const int colon = tag.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return;
    const QString prefix = tag.left(colon);
    if (root.attribute(QStringLiteral("xmlns:") + prefix) != svgNamespace)
        return;
    const QString start = prefix + QLatin1Char(':');
    std::vector<QDomElement> stack{ root };
    while (!stack.empty()) {
        QDomElement e = stack.back();
        stack.pop_back();
        if (e.tagName().startsWith(start))
            e.setTagName(e.tagName().mid(start.size()));
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    QDomElement top = document.documentElement();
    if (!top.hasAttribute(QStringLiteral("xmlns")))
        top.setAttribute(QStringLiteral("xmlns"), svgNamespace);
}

QSizeF physicalSize(const QDomDocument &document)
{
    const QDomElement root = document.documentElement();
    if (root.isNull() || StyleResolver::declaresPlimbNamespace(root) || hasEngravingAttribute(root))
        return QSizeF();
    double sides[2] = { 0, 0 };
    const char *names[2] = { "width", "height" };
    for (int i = 0; i < 2; ++i) {
        double number = 0;
        QString unit;
        if (!SvgGrammar::splitLength(root.attribute(QLatin1String(names[i])), &number, &unit))
            return QSizeF();
        const double factor = millimetresPer(unit.toLower());
        if (factor == 0 || !(number > 0))
            return QSizeF();
        sides[i] = number * factor;
    }
    return QSizeF(sides[0], sides[1]);
}

QString pictureFile(const QString &href, const QString &baseFolder, QString *local)
{
    const QString trimmed = href.trimmed();
    if (local)
        local->clear();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("data:")))
        return QString();
    const QString path = trimmed.startsWith(QLatin1String("file:")) ? QUrl(trimmed).toLocalFile() : trimmed;
    if (local)
        *local = path;
    return QDir(baseFolder.isEmpty() ? QDir::currentPath() : baseFolder).absoluteFilePath(path);
}

} // namespace SvgFile
