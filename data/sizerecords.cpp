#include "sizerecords.h"
