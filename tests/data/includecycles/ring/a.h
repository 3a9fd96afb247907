#pragma once
#include "ring/b.h"
