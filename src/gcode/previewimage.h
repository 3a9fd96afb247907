#pragma once

#include <QImage>

class PreviewPaths;

// A job's preview as a picture: white ground, travel in red, burns in grey,
// drawn as the preview dialog draws them (thin lines, no smoothing).
class PreviewImage
{
public:
    static constexpr int margin = 8;
    static constexpr int defaultWidth = 1000;
    static constexpr int minimumWidth = 16;
    static constexpr int maximumWidth = 20000;

    // `width` pixels wide; the height follows the job's proportions, at most
    // four times the width. A job that never moves gives a white square.
    static QImage render(const PreviewPaths &paths, int width);
};
