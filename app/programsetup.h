#pragma once

class QApplication;
class QCoreApplication;

// What the program sets up around its window, shared by the program and its start-up bench.

// Before the application object exists: the layout is fixed in twips at 96 dots per inch,
// so font points follow that too.
void setUpBeforeApplication();
// Right after: the program's names, its style and Qt's Japanese translation.
void setUpApplication(QApplication& app);

// Loads Qt's own Japanese translation (qtbase_ja), so standard buttons and dialogs read in
// Japanese like the rest of the program. Returns whether it was found.
bool installQtJapanese(QCoreApplication& app);
