#include "import/dxftext.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <QTextCodec>
#include <QTransform>
#include <QtMath>
#include <cmath>

namespace DxfText {

namespace {

// Outlines are made at this pixel size and scaled: font sizes are whole
// pixels, and drawing texts are often a few millimetres high.
constexpr int referencePixels = 200;
// CAD programs set lines 5/3 of the text height apart.
constexpr double lineSpacing = 5.0 / 3.0;

// One font at the reference size with what scaling needs; shared by all
// texts of an import, and by imports running in other threads.
struct FontInfo
{
    QFont font;
    double capHeight = referencePixels * 0.7;
    double descent = referencePixels * 0.2;
};

FontInfo fontFor(const QString &family)
{
    static QMutex mutex;
    static QHash<QString, FontInfo> fonts;
    QMutexLocker lock(&mutex);
    const auto found = fonts.constFind(family);
    if (found != fonts.constEnd())
        return found.value();
    FontInfo info;
    if (!family.isEmpty())
        info.font.setFamily(family);
    info.font.setPixelSize(referencePixels);
    const QFontMetricsF metrics(info.font);
    if (metrics.capHeight() > 0)
        info.capHeight = metrics.capHeight();
    info.descent = metrics.descent();
    fonts.insert(family, info);
    return info;
}

double advanceOf(const QString &text, const QString &family, double height)
{
    const FontInfo info = fontFor(family);
    return QFontMetricsF(info.font).horizontalAdvance(text) * height / info.capHeight;
}

double number(const DxfRawEntity &entity, int code, double fallback)
{
    for (const DxfGroup &group : entity.groups) {
        if (group.code == code) {
            bool ok = false;
            const double value = group.value.trimmed().toDouble(&ok);
            return ok && std::isfinite(value) ? value : fallback;
        }
    }
    return fallback;
}

bool has(const DxfRawEntity &entity, int code)
{
    for (const DxfGroup &group : entity.groups) {
        if (group.code == code)
            return true;
    }
    return false;
}

QByteArray bytes(const DxfRawEntity &entity, int code)
{
    for (const DxfGroup &group : entity.groups) {
        if (group.code == code)
            return group.value;
    }
    return QByteArray();
}

// "%%d" and its kin of TEXT, and the "\U+XXXX" escapes both kinds use.
QString specialCharacters(const QString &source)
{
    QString out;
    out.reserve(source.size());
    for (int i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == QLatin1Char('%') && source.midRef(i, 2) == QLatin1String("%%") && i + 2 < source.size()) {
            const QChar code = source.at(i + 2).toLower();
            i += 2;
            if (code == QLatin1Char('d'))
                out += QChar(0x00B0);
            else if (code == QLatin1Char('p'))
                out += QChar(0x00B1);
            else if (code == QLatin1Char('c'))
                out += QChar(0x00D8);
            else if (code == QLatin1Char('%'))
                out += QLatin1Char('%');
            else if (code.isDigit()) {
                int end = i;
                while (end < source.size() && end < i + 3 && source.at(end).isDigit())
                    ++end;
                out += QChar(source.mid(i, end - i).toInt());
                i = end - 1;
            }
            // %%u, %%o and %%k switch underline, overline and strike-through.
            continue;
        }
        if (c == QLatin1Char('\\') && source.midRef(i + 1, 2).compare(QLatin1String("U+"), Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const uint code = source.mid(i + 3, 4).toUInt(&ok, 16);
            if (ok && source.mid(i + 3, 4).size() == 4) {
                if (QChar::requiresSurrogates(code)) {
                    out += QChar(QChar::highSurrogate(code));
                    out += QChar(QChar::lowSurrogate(code));
                } else {
                    out += QChar(code);
                }
                i += 6;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The character state MTEXT codes change.
struct Style
{
    QString family;
    double heightFactor = 1;
    double widthFactor = 1;
    double obliqueDegrees = 0;
};

struct Piece
{
    QString text;
    Style style;
};

struct Line
{
    QList<Piece> pieces;
    bool newColumn = false;
};

// Splits MTEXT into lines of pieces, each piece one style.
QList<Line> scanMText(const QString &source, const QString &family)
{
    QList<Line> lines{Line()};
    QList<Style> stack;
    Style style;
    style.family = family;
    auto append = [&](const QString &text) {
        QList<Piece> &pieces = lines.last().pieces;
        if (pieces.isEmpty() || pieces.last().style.family != style.family
            || pieces.last().style.heightFactor != style.heightFactor
            || pieces.last().style.widthFactor != style.widthFactor
            || pieces.last().style.obliqueDegrees != style.obliqueDegrees)
            pieces.append({QString(), style});
        pieces.last().text += text;
    };
    auto newLine = [&](bool column) {
        lines.append(Line());
        lines.last().newColumn = column;
    };
    // The value of a code "\X...;": the text up to ";" (or the end).
    auto argument = [&](int *i) {
        const int end = source.indexOf(QLatin1Char(';'), *i);
        const QString value = source.mid(*i, end < 0 ? -1 : end - *i);
        *i = end < 0 ? source.size() : end + 1;
        return value;
    };
    int i = 0;
    while (i < source.size()) {
        const QChar c = source.at(i);
        if (c == QLatin1Char('{')) {
            stack.append(style);
            ++i;
            continue;
        }
        if (c == QLatin1Char('}')) {
            if (!stack.isEmpty())
                style = stack.takeLast();
            ++i;
            continue;
        }
        if (c == QLatin1Char('^') && i + 1 < source.size()) {
            const QChar next = source.at(i + 1);
            if (next == QLatin1Char('I') || next == QLatin1Char('J') || next == QLatin1Char('M')) {
                if (next == QLatin1Char('I'))
                    append(QStringLiteral(" "));
                else if (next == QLatin1Char('J'))
                    newLine(false);
                i += 2;
                continue;
            }
        }
        if (c != QLatin1Char('\\') || i + 1 >= source.size()) {
            append(QString(c));
            ++i;
            continue;
        }
        const QChar code = source.at(i + 1);
        i += 2;
        switch (code.unicode()) {
        case 'P':
        case 'X':
            newLine(false);
            break;
        case 'N':
            newLine(true);
            break;
        case '~':
            append(QStringLiteral(" "));
            break;
        case '\\':
        case '{':
        case '}':
            append(QString(code));
            break;
        case 'U':
        case 'u': {
            // "\U+XXXX" names the character by its code point.
            bool ok = false;
            const QString hex = source.mid(i + 1, 4);
            const uint value = hex.toUInt(&ok, 16);
            if (i < source.size() && source.at(i) == QLatin1Char('+') && ok && hex.size() == 4) {
                append(QString::fromUcs4(&value, 1));
                i += 5;
            } else {
                append(QString(code));
            }
            break;
        }
        case 'M':
        case 'm': {
            // "\M+nXXXX": a double-byte character of an Asian code page.
            bool ok = false;
            const QString hex = source.mid(i + 2, 4);
            const uint value = hex.toUInt(&ok, 16);
            if (i + 6 <= source.size() && source.at(i) == QLatin1Char('+') && ok && hex.size() == 4) {
                static const char *codecs[] = {nullptr, "Shift-JIS", "Big5", "EUC-KR", "Johab", "GBK"};
                const int page = source.at(i + 1).digitValue();
                QTextCodec *codec = page >= 1 && page <= 5 ? QTextCodec::codecForName(codecs[page]) : nullptr;
                const char pair[2] = {char(value >> 8), char(value & 0xff)};
                if (codec)
                    append(codec->toUnicode(pair, 2));
                i += 6;
            }
            break;
        }
        case 'f':
        case 'F': {
            const QString fontCode = argument(&i);
            QString name = fontCode.section(QLatin1Char('|'), 0, 0).trimmed();
            if (code == QLatin1Char('F') || name.contains(QLatin1Char('.')))
                name = name.section(QLatin1Char('.'), 0, 0);
            style.family = name.isEmpty() ? family : installedFamily(name);
            break;
        }
        case 'H':
        case 'h': {
            QString value = argument(&i);
            const bool relative = value.endsWith(QLatin1Char('x'), Qt::CaseInsensitive);
            if (relative)
                value.chop(1);
            const double factor = value.toDouble();
            if (factor > 0 && std::isfinite(factor))
                style.heightFactor = relative ? style.heightFactor * factor : factor;
            break;
        }
        case 'W':
        case 'w': {
            QString value = argument(&i);
            if (value.endsWith(QLatin1Char('x'), Qt::CaseInsensitive))
                value.chop(1);
            const double factor = value.toDouble();
            if (factor > 0 && std::isfinite(factor))
                style.widthFactor = factor;
            break;
        }
        case 'Q':
        case 'q': {
            const double angle = argument(&i).toDouble();
            if (std::isfinite(angle) && std::abs(angle) < 85)
                style.obliqueDegrees = angle;
            break;
        }
        case 'S': {
            // A stacked fraction "1^2", "1/2" or "1#2", shown on one line.
            QString stacked = argument(&i);
            stacked.replace(QLatin1Char('#'), QLatin1Char('/'));
            if (stacked.endsWith(QLatin1Char('^')))
                stacked.chop(1);
            stacked.replace(QLatin1Char('^'), QLatin1Char('/'));
            append(stacked);
            break;
        }
        case 'A':
        case 'C':
        case 'c':
        case 'T':
        case 't':
        case 'p':
            argument(&i);
            break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
            break;
        default:
            append(QString(code));
            break;
        }
    }
    return lines;
}

// Unit vector-free rotation in degrees of a direction, or `fallback`.
double directionDegrees(const DxfRawEntity &entity, double fallback)
{
    if (!has(entity, 11))
        return fallback;
    const double x = number(entity, 11, 1);
    const double y = number(entity, 21, 0);
    if (std::hypot(x, y) < 1e-12)
        return fallback;
    return qRadiansToDegrees(std::atan2(y, x));
}

// The groups before an MTEXT's embedded object (group 101), whose own
// positions and sizes must not be taken for the text's.
DxfRawEntity withoutEmbeddedObject(const DxfRawEntity &entity, DxfRawEntity *embedded)
{
    DxfRawEntity own{entity.type, {}};
    bool inside = false;
    for (const DxfGroup &group : entity.groups) {
        if (group.code == 101)
            inside = true;
        (inside ? embedded->groups : own.groups).append(group);
    }
    return own;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0)
        return text;
    if (QTextCodec *gbk = QTextCodec::codecForName("GBK"))
        return gbk->toUnicode(bytes);
    return text;
}

QString installedFamily(const QString &wanted)
{
    static QMutex mutex;
    static QHash<QString, QString> chosen;
    if (wanted.isEmpty())
        return QString();
    QMutexLocker lock(&mutex);
    const auto found = chosen.constFind(wanted);
    if (found != chosen.constEnd())
        return found.value();
    QString family;
    const QStringList families = QFontDatabase().families();
    for (const QString &installed : families) {
        if (installed.compare(wanted, Qt::CaseInsensitive) == 0) {
            family = installed;
            break;
        }
    }
    chosen.insert(wanted, family);
    return family;
}

QPainterPath textOutline(const QString &text, const QString &family, double height, double *advance)
{
    QPainterPath path;
    if (advance)
        *advance = 0;
    if (text.isEmpty() || !(height > 0))
        return path;
    const FontInfo info = fontFor(family);
    path.addText(QPointF(0, 0), info.font, text);
    const double scale = height / info.capHeight;
    if (advance)
        *advance = QFontMetricsF(info.font).horizontalAdvance(text) * scale;
    return QTransform::fromScale(scale, -scale).map(path);
}

QPainterPath text(const DxfRawEntity &entity, const QString &family)
{
    if (entity.type == "ATTRIB" && (int(number(entity, 70, 0)) & 1))
        return QPainterPath();
    const QString content = specialCharacters(decode(bytes(entity, 1)));
    const double height = number(entity, 40, 0);
    double width = 0;
    QPainterPath glyphs = textOutline(content, family, height, &width);
    if (glyphs.isEmpty())
        return glyphs;
    double widthFactor = number(entity, 41, 1);
    if (!(widthFactor > 0))
        widthFactor = 1;
    const double oblique = qBound(-85.0, number(entity, 51, 0), 85.0);
    const int generation = int(number(entity, 71, 0));
    const int horizontal = int(number(entity, 72, 0));
    // ATTRIB keeps its field length in 73 and its vertical alignment in 74.
    const int vertical = int(number(entity, entity.type == "ATTRIB" ? 74 : 73, 0));
    const QPointF first(number(entity, 10, 0), number(entity, 20, 0));
    const QPointF second(number(entity, 11, first.x()), number(entity, 21, first.y()));
    double rotation = number(entity, 50, 0);

    QTransform local;
    local.shear(std::tan(qDegreesToRadians(oblique)), 0);
    width *= widthFactor;
    double scaleX = widthFactor;
    double scaleY = 1;
    QPointF anchor = first;
    double dx = 0;
    double dy = 0;
    if (horizontal == 3 || horizontal == 5) {
        // Aligned and fit: the text runs from the first point to the second.
        const QLineF baseline(first, second);
        if (baseline.length() > 1e-12 && width > 0) {
            const double stretch = baseline.length() / width;
            scaleX *= stretch;
            if (horizontal == 3)
                scaleY = stretch;
            rotation = -baseline.angle();
        }
    } else if (horizontal != 0 || vertical != 0) {
        anchor = second;
        if (horizontal == 1 || horizontal == 4)
            dx = -width / 2;
        else if (horizontal == 2)
            dx = -width;
    }
    if (horizontal == 4 && vertical == 0)
        dy = -height / 2;
    else if (vertical == 1)
        dy = fontFor(family).descent * height / fontFor(family).capHeight;
    else if (vertical == 2)
        dy = -height / 2;
    else if (vertical == 3)
        dy = -height;
    glyphs = local.map(glyphs);
    QTransform placement;
    placement.translate(anchor.x(), anchor.y());
    placement.rotate(rotation);
    placement.scale(generation & 2 ? -1 : 1, generation & 4 ? -1 : 1);
    placement.translate(dx, dy);
    placement.scale(scaleX, scaleY);
    QPainterPath placed = placement.map(glyphs);
    // A text seen from below (extrusion 0, 0, -1) is mirrored in x.
    if (number(entity, 230, 1) < 0)
        placed = QTransform::fromScale(-1, 1).map(placed);
    return placed;
}

QString plainMText(const QString &source)
{
    QStringList lines;
    for (const Line &line : scanMText(source, QString())) {
        QString text;
        for (const Piece &piece : line.pieces)
            text += piece.text;
        lines.append(text);
    }
    return lines.join(QLatin1Char('\n'));
}

QPainterPath mtext(const DxfRawEntity &entity, const QString &family)
{
    DxfRawEntity embedded;
    const DxfRawEntity own = withoutEmbeddedObject(entity, &embedded);
    QByteArray raw;
    for (const DxfGroup &group : own.groups) {
        if (group.code == 3)
            raw += group.value;
    }
    raw += bytes(own, 1);
    const double height = number(own, 40, 0);
    if (!(height > 0))
        return QPainterPath();
    const double referenceWidth = number(own, 41, 0);
    double spacingFactor = number(own, 44, 1);
    if (!(spacingFactor > 0) || spacingFactor > 10)
        spacingFactor = 1;
    const int attachment = qBound(1, int(number(own, 71, 1)), 9) - 1;
    // Columns: their width and gutter in the entity (R2013) or in its
    // embedded object (R2018); the reference width otherwise.
    double columnWidth = number(own, 48, number(embedded, 44, referenceWidth));
    double gutter = number(own, 49, number(embedded, 45, 0));
    if (!(columnWidth > 0))
        columnWidth = referenceWidth;
    if (!(gutter >= 0))
        gutter = 0;

    const QString source = specialCharacters(decode(raw));
    const QList<Line> lines = scanMText(source, family);
    const double advanceY = height * lineSpacing * spacingFactor;
    QPainterPath text;
    int column = 0;
    double baseline = -height;
    auto place = [&](const QList<Piece> &pieces, double y) {
        double x = 0;
        QPainterPath line;
        for (const Piece &piece : pieces) {
            double advance = 0;
            QPainterPath glyphs = textOutline(piece.text, piece.style.family, height * piece.style.heightFactor,
                                              &advance);
            QTransform shape;
            shape.scale(piece.style.widthFactor, 1);
            shape.shear(std::tan(qDegreesToRadians(piece.style.obliqueDegrees)), 0);
            line.addPath(shape.map(glyphs).translated(x, 0));
            x += advance * piece.style.widthFactor;
        }
        // Lines keep the attachment's side: centred or right-aligned texts
        // align each line, not the block.
        const double shift = (attachment % 3) * -x / 2;
        text.addPath(line.translated(shift + column * (columnWidth + gutter), y));
    };
    for (const Line &line : lines) {
        if (line.newColumn) {
            ++column;
            baseline = -height;
        }
        // Words that overrun the reference width wrap onto the next line.
        QList<Piece> current;
        double used = 0;
        for (const Piece &piece : line.pieces) {
            const QStringList words = piece.text.split(QLatin1Char(' '));
            for (int w = 0; w < words.size(); ++w) {
                const QString word = words.at(w) + (w + 1 < words.size() ? QStringLiteral(" ") : QString());
                const double advance = advanceOf(words.at(w), piece.style.family,
                                                 height * piece.style.heightFactor)
                        * piece.style.widthFactor;
                if (columnWidth > 0 && used > 0 && used + advance > columnWidth * 1.0001) {
                    place(current, baseline);
                    baseline -= advanceY;
                    current.clear();
                    used = 0;
                }
                if (current.isEmpty() || current.last().style.family != piece.style.family
                    || current.last().style.heightFactor != piece.style.heightFactor
                    || current.last().style.widthFactor != piece.style.widthFactor
                    || current.last().style.obliqueDegrees != piece.style.obliqueDegrees)
                    current.append({QString(), piece.style});
                current.last().text += word;
                used += advanceOf(word, piece.style.family, height * piece.style.heightFactor)
                        * piece.style.widthFactor;
            }
        }
        place(current, baseline);
        baseline -= advanceY;
    }
    if (text.isEmpty())
        return text;
    // The attachment point (1 top left ... 9 bottom right) sits at the
    // insertion point: vertically by the text's bounds.
    const QRectF bounds = text.boundingRect();
    const int row = attachment / 3;
    const double dy = row == 0 ? -bounds.bottom() : row == 1 ? -bounds.center().y() : -bounds.top();
    const double dx = attachment % 3 == 0 ? -bounds.left() : 0;
    const double rotation = directionDegrees(own, number(own, 50, 0));
    QTransform placement;
    placement.translate(number(own, 10, 0), number(own, 20, 0));
    placement.rotate(rotation);
    placement.translate(dx, dy);
    return placement.map(text);
}

} // namespace DxfText
