#pragma once

// The attribute grammars shared by the document, canvas, importers and generator.
#include "svgnumbers.h"
#include "svgpaint.h"
#include "svgpathdata.h"
#include "svgstyle.h"
#include "svgtransform.h"
