#include "common/language.h"

#include "common/settingsnames.h"

#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace Language {

QString systemLanguageName()
{
    const QStringList uiLanguages = QLocale::system().uiLanguages();
    const QLocale locale = uiLanguages.isEmpty() ? QLocale::system() : QLocale(uiLanguages.first());
    return QLocale::languageToString(locale.language());
}

QString catalogueFor(const QString &stored, const QString &systemLanguage)
{
    if (!stored.isNull()) {
        if (stored == QLatin1String("Chinese"))
            return QStringLiteral(":/translations/qx_language_ch.qm");
        if (stored == QLatin1String("English"))
            return QStringLiteral(":/translations/qx_language_en.qm");
        if (stored == QLatin1String("Korean"))
            return QStringLiteral(":/translations/qx_language_korea.qm");
        if (stored == QLatin1String("Japanese"))
            return QStringLiteral(":/translations/qx_language_jp.qm");
        return QString();
    }
    qDebug() << systemLanguage;
    if (!systemLanguage.contains(QLatin1String("Chinese"))) {
        qDebug() << "not zh";
        return QStringLiteral(":/translations/qx_language_en.qm");
    }
    return QString();
}

QString chooseTranslation(QTranslator *translator, const QString &systemLanguage)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    QString stored;
    if (settings.contains(SettingsNames::languageKey))
        stored = settings.value(SettingsNames::languageKey, QStringLiteral("Chinese")).toString();
    settings.endGroup();

    const QString catalogue = catalogueFor(stored, systemLanguage);
    if (!catalogue.isEmpty())
        translator->load(catalogue);
    return catalogue;
}

QString qtCatalogueFor(const QString &catalogue)
{
    if (catalogue.isEmpty() || catalogue.endsWith(QLatin1String("_ch.qm")))
        return QStringLiteral("qtbase_zh_CN");
    if (catalogue.endsWith(QLatin1String("_korea.qm")))
        return QStringLiteral("qtbase_ko");
    if (catalogue.endsWith(QLatin1String("_jp.qm")))
        return QStringLiteral("qtbase_ja");
    return QString();
}

bool loadQtTranslation(QTranslator *translator, const QString &catalogue)
{
    const QString name = qtCatalogueFor(catalogue);
    return !name.isEmpty()
            && translator->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

} // namespace Language
