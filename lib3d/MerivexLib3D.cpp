#include "MerivexLib3D.h"
