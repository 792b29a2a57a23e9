#include <QApplication>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "platform/gl_format.h"

// Test discovery runs this program at build time, where no display exists, so
// the application object is only made when tests are really run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
    if (listing || ::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    // The program keeps the dialogs' last folders in the user's settings;
    // tests keep theirs in a folder of their own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // ... and their own designs in another.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    UseCanvasSurfaceFormat();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#ifdef VELMORA_LSAN_SUPPRESSIONS
// The sanitizers' settings in a sanitizer build, built in (beside main, so
// the linker keeps them) so that a test run by hand behaves as under ctest.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Leaks of the system libraries only; the file says which and why.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" VELMORA_LSAN_SUPPRESSIONS;
}
#endif
