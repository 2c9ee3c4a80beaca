#include "search/Other.h"
