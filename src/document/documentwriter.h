#pragma once

#include <QDomDocument>
#include <QString>

// The design as text: indent 2, no XML declaration.
QString toSvgText(const QDomDocument &document);

// Writes the text as UTF-8, replacing the file only once the whole text is
// written: on failure the previous file is left as it was and false is
// returned with the cause in `error`. A path naming a device or a pipe is
// refused (UserSaveFile).
bool writeDesign(const QString &svgText, const QString &path, QString *error = nullptr);
bool writeDesign(const QDomDocument &document, const QString &path);

// userDataFolder() + "/log.svg".
QString logSvgPath();

// The generator's diagnostic copy of the design it renders, as Latin-1
// (characters outside it become "?"). Failures are silent; the path is returned either way.
QString writeLogSvg(const QString &svgText);
