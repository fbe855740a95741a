#pragma once

#include "sheet.h"

class Form1;

// The sheet of the size the window shows, with its values as the window shows them.
sheet::Content sheetContentOf(const Form1& window);
