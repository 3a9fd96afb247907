#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QSizeF>
#include <QString>

#include <climits>

// Reading designs as other programs write them.
namespace SvgFile {

// The design text of a file: plain SVG, or gzip-compressed (".svgz", told
// by its first bytes, not by its name), refused (false with `error` set) when
// it is not a regular file, when it cannot be read or unpacked, or when it
// exceeds a limit of InputLimits (size, nesting, entities, text length).
bool readDesign(const QString &path, QString *text, QString *error = nullptr);

// The text of a design file's bytes, in the encoding its byte order mark or
// XML declaration ("windows-1251", "ISO-8859-1") names; UTF-8 otherwise.
QString decodeText(const QByteArray &bytes);

// Unpacks gzip data; false when it is not gzip, is damaged or would unpack
// to more than `maxBytes` (then `tooLarge` is set).
bool gunzip(const QByteArray &packed, QByteArray *plain, qint64 maxBytes = INT_MAX - 65536,
            bool *tooLarge = nullptr);

// Elements written with a prefix bound to the SVG namespace ("svg:svg",
// "svg:rect") lose the prefix, so they read as the plain names.
void removeSvgPrefix(QDomDocument &document);

// A physical size of the root ("100mm", "4in", "283.46pt"), in millimetres,
// for a drawing from another program (no engraving attribute, no engraving
// namespace); an empty size otherwise, and for sizes in user units, pixels
// or percentages.
QSizeF physicalSize(const QDomDocument &document);

// The file a picture reference names ("photo.png", "file:///..."), found from
// `baseFolder` (the working folder when empty); empty for an inline "data:"
// picture or none. `local` receives the reference as a local path (empty
// when a "file:" URL names none).
QString pictureFile(const QString &href, const QString &baseFolder, QString *local = nullptr);

} // namespace SvgFile
