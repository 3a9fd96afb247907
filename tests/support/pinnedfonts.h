#pragma once

#include <QDir>
#include <QFile>
#include <QtTest>

// Tests that measure text see only the regular DejaVu faces of the Debian
// package fonts-dejavu-core, with the generic names and missing families
// matched as a desktop does, whatever other fonts the machine has: a
// fontconfig file in the test's own home, named before the application
// object (and with it the font database) exists.
namespace PinnedFonts {

inline void pin()
{
    const QDir home(QDir::homePath());
    home.mkpath(QStringLiteral("pinned-fonts"));
    const QString fonts = home.filePath(QStringLiteral("pinned-fonts"));
    for (const char *face : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf",
                             "DejaVuSansMono.ttf"}) {
        const QString target = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(face);
        const QString link = fonts + QLatin1Char('/') + QLatin1String(face);
        if (!QFile::exists(link))
            QFile::link(target, link);
    }
    const QString config = home.filePath(QStringLiteral("pinned-fonts.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(config));
    file.write(QStringLiteral(
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
            "  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n"
            "  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>\n"
            "  <alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>\n"
            "  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>\n"
            "  <match target=\"pattern\">\n"
            "    <test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>sans-serif</string></test>\n"
            "    <test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>serif</string></test>\n"
            "    <test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>monospace</string></test>\n"
            "    <edit name=\"family\" mode=\"append_last\"><string>sans-serif</string></edit>\n"
            "  </match>\n</fontconfig>\n")
                       .arg(fonts, home.filePath(QStringLiteral(".cache/pinned-fontconfig")))
                       .toUtf8());
    file.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
}

} // namespace PinnedFonts

// QTEST_MAIN for a widget test whose fonts are pinned.
#define PLIMB_TEST_MAIN_WITH_PINNED_FONTS(TestObject)                                              \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        PinnedFonts::pin();                                                                        \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
