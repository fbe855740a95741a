#include "recordloader.h"
