#include "ring/b.h"
#include "ring/c.h"
