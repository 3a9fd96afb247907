#pragma once

// The attribute grammars (namespace SvgGrammar) shared by the document,
// canvas, importers and generator.
#include "document/svgnumbers.h"
#include "document/svgpaint.h"
#include "document/svgpathdata.h"
#include "document/svgstyle.h"
#include "document/svgtransform.h"
