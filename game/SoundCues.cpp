#include "frmMainGL.h"
