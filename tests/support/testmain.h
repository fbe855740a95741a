#pragma once

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>
#include <exception>

// Widget tests run offscreen at 96 dpi with a private settings store. Desktop tests
// need a real X display with a window manager and are skipped without one.
template <typename TestClass> int rostariTestMain(int argc, char** argv, bool desktop)
{
    if (desktop) {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            std::fprintf(stderr, "no X display: desktop test skipped\n");
            return 77;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QStandardPaths::setTestModeEnabled(true);
#ifdef Q_OS_WIN
    // The registry has no test mode: each test starts with the program's key empty (ctest runs
    // the tests that use it one at a time).
    QSettings(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillmark"), QSettings::NativeFormat)
        .clear();
#endif
    QApplication app(argc, argv);
    TestClass test;
    try {
        return QTest::qExec(&test, argc, argv);
    } catch (const std::exception& e) {
        // The failure is already in the log; end with it instead of aborting.
        std::fprintf(stderr, "test ended: %s\n", e.what());
        return 1;
    }
}

#define ROSTARI_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        return rostariTestMain<TestClass>(argc, argv, false);                                                          \
    }
#define ROSTARI_DESKTOP_TEST_MAIN(TestClass)                                                                           \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        return rostariTestMain<TestClass>(argc, argv, true);                                                           \
    }
