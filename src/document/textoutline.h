#pragma once

#include "document/defaultparameters.h"

#include <QDomElement>
#include <QList>

// Converts a "text" element into "path" elements carrying its outline: one
// for the element's own text (when its first child is text) and one for each
// "tspan" child, in child order, appended to the text element's parent. Each
// path gets the text-outline style with the text's fill, the outline as path
// data, the text's transform followed by "translate(x,y)", and the text's nine
// engraving parameters with six decimals, read with the fallbacks of its
// engrave mode against `defaults`. The text element itself is left in place.
// Returns the new paths.
QList<QDomElement> textToOutline(const QDomElement &textElement,
                                 const DefaultParameters &defaults = DefaultParameters());
