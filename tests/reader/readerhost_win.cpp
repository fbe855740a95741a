// A viewer in miniature for tst_reader_sandbox_win: starts the reader beside it on the file it is
// given, through the viewer's loader, then waits for a line on standard input without running its
// event loop (so that its own time limit never ends the reader) and ends abruptly, as a viewer
// that crashes or is killed.

#include "recordloader.h"

#include <QCoreApplication>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    quill::RecordLoader loader;
    loader.start(arguments.at(1));
    std::getchar();
    TerminateProcess(GetCurrentProcess(), 9);
    return 9;
}
