#pragma once

#include <QString>

// Where an installed Plimb keeps what it ships besides the executables. The
// folders are found from the running executable's own folder, so a package
// installed under any prefix finds them and a build tree finds none.
namespace InstallLayout {

// The program's version, e.g. "0.3.6".
QString version();

// <prefix>/share/plimb for an executable in <prefix>/bin, given the folder
// the executable runs from.
QString dataFolderFor(const QString &programFolder);

// The bundled sample designs, or an empty string when they are not
// installed next to the running executable.
QString samplesFolder();

} // namespace InstallLayout
