// Lays out texts of growing length and writes their outlines as path data,
// printing the time of each step and the growth against the previous size.
#include "benchsupport.h"
#include "document/pathdatawriter.h"
#include "document/textlayout.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(20);

    const QString sample = QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789 激光雕刻\n");
    double previous = 0;
    for (int characters : { 10000, 100000 }) {
        QString text;
        while (text.size() < characters)
            text += sample;
        text.truncate(characters);

        QElapsedTimer timer;
        timer.start();
        const TextLayout layout = layoutText(text, font, 5, 3, TextAlignCenter, TextHorizontal);
        const double layoutMs = BenchSupport::milliseconds(timer);
        timer.restart();
        const QString data = pathToData(layout.outline);
        const double writeMs = BenchSupport::milliseconds(timer);

        const double total = layoutMs + writeMs;
        std::printf("%7d characters: layout %8.1f ms, path data %8.1f ms (%.1f MB), %.0f characters/s",
                    characters, layoutMs, writeMs, data.size() / 1e6, characters / (total / 1000));
        if (previous > 0)
            std::printf(", %.1fx the time for 10x the text", total / previous);
        std::printf("\n");
        previous = total;
    }
    return 0;
}
