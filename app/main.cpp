#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/welcome_screen.h"
#include "platform/gl_format.h"
#include "platform/shell_open.h"

namespace {

// The folder of this executable; the launcher lives beside it. Worked out
// before any application object exists, so it cannot ask Qt.
std::string ExecutableFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string() + "/";
}

// Starts the companion launcher: the editor itself only runs when something
// starts it with "-nosplash". VELMORA_LAUNCHER names another launcher to
// start, which lets the start-up be checked without a desktop. Without a
// launcher to start, the user is told what is missing, since nothing else
// would ever appear; the result is the program's exit status.
int StartLauncher(const char* argv0) {
    const std::string folder = ExecutableFolder(argv0);
    const char* replacement = std::getenv("VELMORA_LAUNCHER");
    const std::string launcher =
        replacement && *replacement ? std::string(replacement) : folder + "splash";
    if (ShellOpenProgram(launcher, folder)) return 0;
    std::fprintf(stderr,
                 "velmora: the launcher %s is missing or cannot be started.\n"
                 "Reinstall Velmora, or start the editor directly with: %s -nosplash\n",
                 launcher.c_str(), argv0);
    return 1;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const char* name : {":/APP_ICON_16", ":/APP_ICON_32", ":/APP_ICON_48", ":/APP_ICON_256"})
        icon.addFile(QString::fromLatin1(name));
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    // Only the first argument counts, exactly as typed; the rest is ignored.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first != "-nosplash") return StartLauncher(argv[0]);
    UseCanvasSurfaceFormat();
    QApplication application(argc, argv);
    QApplication::setApplicationName("velmora");
    QApplication::setDesktopFileName("velmora");
    QApplication::setWindowIcon(ApplicationIcon());
    TWScreen welcome;
    welcome.show();
    return application.exec();
}
