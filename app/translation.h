#pragma once

class QCoreApplication;

// Loads Qt's own Japanese translation (qtbase_ja), so standard buttons and dialogs read in
// Japanese like the rest of the program. Returns whether it was found.
bool installQtJapanese(QCoreApplication& app);
