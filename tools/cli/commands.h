#pragma once

#include <QStringList>

class PreviewPaths;

// Each command takes the arguments after its name and returns the exit code.
int runGcodeCommand(const QStringList &arguments);
int runSendCommand(const QStringList &arguments);
int runEstimateCommand(const QStringList &arguments);
int runPreviewCommand(const QStringList &arguments);
int runTestGridCommand(const QStringList &arguments);

// The preview's shading, as the program's preview dialog shades a job.
constexpr double previewFullPower = 1000;
// A picture width for --width: a whole number within the picture's limits.
bool parsePreviewWidth(const QString &text, int *width);
// Draws the paths as the preview does into a PNG file at `path`.
bool writePreviewPicture(const PreviewPaths &paths, const QString &path, int width, QString *error);
