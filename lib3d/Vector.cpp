#include "Vector.h"
