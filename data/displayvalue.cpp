#include "displayvalue.h"
