#include "control/Anything.h"
