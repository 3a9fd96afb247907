#pragma once

#include <QString>

// Compiled-in names written into the comment of every new design.
namespace DocumentTemplate {
inline const QString releaseName = QStringLiteral("Ostrafel");
inline const QString generatorVersion = QStringLiteral("0.04");
} // namespace DocumentTemplate

// The text of a new design: the root with its namespaces, the drawing layer
// "label 1" and the "Created with" comment, filled with the names above.
QString newDocumentText();

// The "style" texts new elements are created with.
namespace ElementStyles {
// Rectangles and ellipses drawn with the mouse.
inline const QString shape = QStringLiteral("fill:none;stroke:#000000;stroke-width:0.264583");
// Paths drawn with the pen and line tools, and imported paths.
inline const QString path = QStringLiteral(
        "fill:none;stroke:#000000;stroke-width:0.264583px;stroke-linecap:butt;"
        "stroke-linejoin:miter;stroke-opacity:1");
// Texts typed with the text tool; the editor font property keeps such texts
// in the same family when the file is opened in a drawing program.
inline const QString text = QStringLiteral(
        "font-size:50px;line-height:125%;font-family:sans-serif;-inkscape-font-specifi"
        "cation:sans-serif;letter-spacing:0px;fill:none;stroke:#000000;stroke-width:0.264583");
inline const QString dxfOutline = QStringLiteral("fill:none;stroke:#000000;stroke-width:0.264583px");
// Filled areas of imported drawings (hatches); islands stay holes.
inline const QString importedFill = QStringLiteral("fill:#000000;fill-rule:evenodd;stroke:none");

// Paths produced from text, with the text's fill value.
QString textOutline(const QString &fill);
} // namespace ElementStyles
