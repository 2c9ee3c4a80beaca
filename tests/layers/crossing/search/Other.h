#include <tessaro/Tessaro.h>
