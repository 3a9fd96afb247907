#pragma once

#include "material/materiallibrary.h"
#include "material/testgrid.h"

#include <QList>

class Node;
class SVGView;

// The canvas side of material tests and presets: adding a test grid and
// applying a preset, each as one undo step.
namespace MaterialCanvas {

// Adds the grid as one group under the drawing layer; null when the design
// has no layer.
Node *addTestGrid(SVGView *view, const TestGrid::Settings &settings);

// The elements a preset would be applied to: the selection, groups opened,
// without the kinds that carry no engraving parameters.
QList<Node *> selectedElements(SVGView *view);

// Sets the preset's parameters and engrave mode on the selection; false when
// nothing is selected. Pictures keep their mode: they are always rastered.
bool applyPreset(SVGView *view, const MaterialPreset &preset);

} // namespace MaterialCanvas
