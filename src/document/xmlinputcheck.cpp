#include "document/xmlinputcheck.h"

#include "document/inputlimits.h"

#include <QHash>
#include <QRegularExpression>

#include <cstring>

namespace XmlInputCheck {

namespace {

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
            || c == ':' || c == '-' || c == '.' || uchar(c) >= 0x80;
}

// Internal general entities of the document type and the number of
// characters each expands to; an entity that refers to itself expands
// without end (-1).
class Entities
{
public:
    explicit Entities(const QByteArray &subset)
    {
        static const QRegularExpression declaration(
                QStringLiteral("<!ENTITY\\s+([^\\s%]+)\\s+(?:\"([^\"]*)\"|'([^']*)')"));
        const QString text = QString::fromUtf8(subset);
        auto it = declaration.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            // The first declaration of a name counts, as in XML.
            if (!mValues.contains(m.captured(1)))
                mValues.insert(m.captured(1), m.captured(2) + m.captured(3));
        }
    }

    bool isEmpty() const { return mValues.isEmpty(); }
    bool contains(const QString &name) const { return mValues.contains(name); }

    qint64 expandedSize(const QString &name)
    {
        auto known = mSizes.constFind(name);
        if (known != mSizes.constEnd())
            return *known;
        if (!mValues.contains(name))
            return 1;
        // Marked while it is being measured: meeting the mark again is a cycle.
        mSizes.insert(name, -1);
        const QString value = mValues.value(name);
        qint64 size = 0;
        for (int i = 0; i < value.size(); ++i) {
            const int end = value.at(i) == QLatin1Char('&') ? value.indexOf(QLatin1Char(';'), i) : -1;
            if (end < 0) {
                ++size;
                continue;
            }
            const qint64 inner = expandedSize(value.mid(i + 1, end - i - 1));
            if (inner < 0) {
                size = -1;
                break;
            }
            size += inner;
            // Beyond the limit the exact figure no longer matters.
            if (size > InputLimits::maxEntityExpansion)
                break;
            i = end;
        }
        mSizes.insert(name, size);
        return size;
    }

private:
    QHash<QString, QString> mValues;
    QHash<QString, qint64> mSizes;
};

// Index just past `terminator` from `from`, or the end of the text.
int skipPast(const QByteArray &text, int from, const char *terminator)
{
    const int at = text.indexOf(terminator, from);
    return at < 0 ? text.size() : at + int(std::strlen(terminator));
}

// Where the markup that goes on at `from` ends: the first '>' outside
// quoted values and, for a document type, outside its bracketed subset.
// `size` when it never ends.
int closingBracket(const char *data, int from, int size, bool subset)
{
    int brackets = 0;
    char quote = 0;
    for (int at = from; at < size; ++at) {
        const char c = data[at];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (subset && c == '[') {
            ++brackets;
        } else if (subset && c == ']') {
            --brackets;
        } else if (c == '>' && brackets <= 0) {
            return at;
        }
    }
    return size;
}

} // namespace

QString problem(const QByteArray &text)
{
    const int size = text.size();
    const char *data = text.constData();
    int depth = 0;
    // Depth of the text element being counted, or 0 outside one.
    int textDepth = 0;
    qint64 textLength = 0;
    qint64 expansion = 0;
    Entities entities{ QByteArray() };
    // Adds what the references between `from` and `to` expand to; false past the limit.
    const auto countReferences = [&](int from, int to) {
        if (entities.isEmpty())
            return true;
        for (int i = from; i < to; ++i) {
            if (data[i] != '&')
                continue;
            int j = i + 1;
            while (j < to && isNameChar(data[j]))
                ++j;
            if (j < to && data[j] == ';') {
                const qint64 expanded = entities.expandedSize(QString::fromUtf8(data + i + 1, j - i - 1));
                expansion = expanded < 0 ? InputLimits::maxEntityExpansion + 1 : expansion + expanded;
                if (expansion > InputLimits::maxEntityExpansion)
                    return false;
            }
            i = j;
        }
        return true;
    };
    const auto tooMuchExpansion = [] {
        return QStringLiteral("its entities expand to more than %1 characters")
                .arg(InputLimits::maxEntityExpansion);
    };
    int at = 0;
    while (at < size) {
        if (data[at] != '<') {
            const void *next = std::memchr(data + at, '<', size_t(size - at));
            const int end = next ? int(static_cast<const char *>(next) - data) : size;
            const qint64 before = expansion;
            if (!countReferences(at, end))
                return tooMuchExpansion();
            if (textDepth > 0) {
                // Characters, not bytes: UTF-8 continuation bytes do not count.
                for (int i = at; i < end; ++i)
                    textLength += (uchar(data[i]) & 0xc0) != 0x80;
                textLength += expansion - before;
                if (textLength > InputLimits::maxTextLength)
                    return QStringLiteral("a text element holds more than %1 characters")
                            .arg(InputLimits::maxTextLength);
            }
            at = end;
            continue;
        }
        if (at + 1 >= size)
            break;
        const char kind = data[at + 1];
        if (kind == '?') {
            at = skipPast(text, at + 2, "?>");
        } else if (kind == '!' && std::strncmp(data + at, "<!--", qMin(4, size - at)) == 0) {
            at = skipPast(text, at + 4, "-->");
        } else if (kind == '!' && std::strncmp(data + at, "<![CDATA[", qMin(9, size - at)) == 0) {
            const int end = skipPast(text, at + 9, "]]>");
            if (textDepth > 0)
                textLength += end - at;
            at = end;
        } else if (kind == '!') {
            // A document type: its internal subset (in brackets) may declare entities.
            const int end = closingBracket(data, at + 2, size, true);
            if (text.mid(at, 9) == "<!DOCTYPE" && entities.isEmpty())
                entities = Entities(text.mid(at, end - at));
            at = end + 1;
        } else if (kind == '/') {
            if (textDepth > 0 && depth == textDepth) {
                textDepth = 0;
                textLength = 0;
            }
            --depth;
            at = skipPast(text, at + 2, ">");
        } else {
            int end = at + 1;
            while (end < size && isNameChar(data[end]))
                ++end;
            const QByteArray name = text.mid(at + 1, end - at - 1);
            end = closingBracket(data, end, size, false);
            // Attribute values expand their references too.
            if (!countReferences(at, qMin(end, size)))
                return tooMuchExpansion();
            const bool empty = end > at && data[end - 1] == '/';
            if (!empty) {
                ++depth;
                if (depth > InputLimits::maxXmlDepth)
                    return QStringLiteral("its elements are nested more than %1 levels deep")
                            .arg(InputLimits::maxXmlDepth);
                if (textDepth == 0 && (name == "text" || name.endsWith(":text")))
                    textDepth = depth;
            }
            at = end + 1;
        }
    }
    return QString();
}

} // namespace XmlInputCheck
