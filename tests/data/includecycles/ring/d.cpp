#include "ring/d.h"
#include "e.h"
