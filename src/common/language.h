#pragma once

#include <QString>

class QTranslator;

namespace Language {

// The English name of the user's interface language ("Chinese", "German", ...),
// the non-Windows counterpart of the system's UI-language query.
QString systemLanguageName();

// The catalogue resource to load. `stored` is the value of the "language"
// key, or a null string when the key is absent. An empty result loads nothing
// and leaves the Chinese source texts.
QString catalogueFor(const QString &stored, const QString &systemLanguage);

// Reads the stored choice from the settings, loads the catalogue into
// `translator` (a failed load is silent) and returns the catalogue path tried.
QString chooseTranslation(QTranslator *translator, const QString &systemLanguage = systemLanguageName());

// Qt's own catalogue for the same language (file dialogs, standard
// buttons), as a file name without extension: "qtbase_zh_CN" for the
// Chinese interface (also when `catalogue` is empty), "qtbase_ko",
// "qtbase_ja"; empty for English, which is Qt's own language.
QString qtCatalogueFor(const QString &catalogue);
// Loads that catalogue from Qt's translations folder into `translator`;
// false when there is none or it is not installed.
bool loadQtTranslation(QTranslator *translator, const QString &catalogue);

} // namespace Language
