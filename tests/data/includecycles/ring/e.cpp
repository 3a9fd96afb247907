#include "ring/e.h"
#include "ring/a.h"
