#include "mdbtable.h"
