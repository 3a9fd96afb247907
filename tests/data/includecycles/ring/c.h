#pragma once
#include "ring/d.h"
