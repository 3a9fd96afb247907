#pragma once

class CanvasContext;

// The trace command: the selected image's dark areas become one outline-mode
// path element in the current layer, lying exactly over the image.
namespace ImageTracer {

// Nothing happens unless exactly one image element is selected and its
// picture has something to trace.
void traceSelectedImage(CanvasContext *canvas);

} // namespace ImageTracer
