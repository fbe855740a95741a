#include "lengthtables.h"
