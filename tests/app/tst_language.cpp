#include "common/language.h"
#include "common/settingsnames.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choice_data();
    void choice();
    void cataloguesAreBuiltIn_data();
    void cataloguesAreBuiltIn();
    void qtOwnTextsFollowTheLanguage_data();
    void qtOwnTextsFollowTheLanguage();
};

void TestLanguage::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestLanguage::choice_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid = no key
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<bool>("loads");

    const QString en = QStringLiteral(":/translations/qx_language_en.qm");
    QTest::newRow("stored Korean beats the system") << QVariant("Korean") << "Chinese"
                                                    << ":/translations/qx_language_korea.qm" << true;
    QTest::newRow("stored Japanese") << QVariant("Japanese") << "German"
                                     << ":/translations/qx_language_jp.qm" << true;
    QTest::newRow("stored English") << QVariant("English") << "Chinese" << en << true;
    // There is no Chinese catalogue: the source texts stay.
    QTest::newRow("stored Chinese fails quietly") << QVariant("Chinese") << "German"
                                                  << ":/translations/qx_language_ch.qm" << false;
    QTest::newRow("no key, Chinese system") << QVariant() << "Chinese" << QString() << false;
    QTest::newRow("no key, German system") << QVariant() << "German" << en << true;
    QTest::newRow("no key, Japanese system") << QVariant() << "Japanese" << en << true;
    QTest::newRow("no key, Korean system") << QVariant() << "Korean" << en << true;
    QTest::newRow("unknown stored value") << QVariant("Klingon") << "German" << QString() << false;
}

void TestLanguage::choice()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, system);
    QFETCH(QString, catalogue);
    QFETCH(bool, loads);

    {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.beginGroup(SettingsNames::languagesGroup);
        if (stored.isValid())
            settings.setValue(SettingsNames::languageKey, stored);
        else
            settings.remove(SettingsNames::languageKey);
    }

    QTranslator translator;
    QCOMPARE(Language::chooseTranslation(&translator, system), catalogue);
    QCOMPARE(!translator.isEmpty(), loads);
}

void TestLanguage::cataloguesAreBuiltIn_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("en") << ":/translations/qx_language_en.qm";
    QTest::newRow("korea") << ":/translations/qx_language_korea.qm";
    QTest::newRow("jp") << ":/translations/qx_language_jp.qm";
}

void TestLanguage::cataloguesAreBuiltIn()
{
    QFETCH(QString, path);
    QTranslator translator;
    QVERIFY(translator.load(path));
    QVERIFY(!translator.translate("ActionSet", "文件(&F)").isEmpty());
}

void TestLanguage::qtOwnTextsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("chinese by system") << QString() << "取消";
    QTest::newRow("chinese") << ":/translations/qx_language_ch.qm" << "取消";
    QTest::newRow("korean") << ":/translations/qx_language_korea.qm" << "취소";
    QTest::newRow("japanese") << ":/translations/qx_language_jp.qm" << "キャンセル";
    QTest::newRow("english") << ":/translations/qx_language_en.qm" << QString();
}

// The old fault: in Chinese, file dialogs and standard buttons were English.
// Qt's catalogues come from the Debian package qttranslations5-l10n.
void TestLanguage::qtOwnTextsFollowTheLanguage()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, cancel);
    QTranslator translator;
    QCOMPARE(Language::loadQtTranslation(&translator, catalogue), !cancel.isEmpty());
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), cancel);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
