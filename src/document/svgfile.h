#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QSizeF>
#include <QString>

// Reading designs as other programs write them.
namespace SvgFile {

// The design text of a file: plain SVG, or gzip-compressed (".svgz", told
// by its first bytes, not by its name). False with `error` set when the file
// cannot be read or does not unpack.
bool readDesign(const QString &path, QString *text, QString *error = nullptr);

// The text of a design file's bytes, in the encoding its byte order mark or
// XML declaration ("windows-1251", "ISO-8859-1") names; UTF-8 otherwise.
QString decodeText(const QByteArray &bytes);

// Unpacks gzip data; false when it is not gzip or is damaged.
bool gunzip(const QByteArray &packed, QByteArray *plain);

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
