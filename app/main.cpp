#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/welcome_screen.h"
#include "platform/gl_format.h"
#include "platform/shell_open.h"
#include "ui/main_form.h"

namespace {

// The folder of this executable; the launcher lives beside it. Worked out
// before any application object exists, so it cannot ask Qt.
std::string ExecutableFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string() + "/";
}

// The launcher lies beside the editor in a build, and in the program's
// private folder in an installed copy, where it is no command of its own.
std::string LauncherPath(const std::string& folder) {
    const std::string beside = folder + "splash";
    std::error_code error;
    if (std::filesystem::exists(beside, error)) return beside;
    return folder + "../libexec/velmora/splash";
}

// The files named after the program's name, made absolute: the launcher and
// the editor it starts run in the program's folder, not in the caller's.
std::vector<std::string> FileArguments(int argc, char** argv, int first) {
    std::vector<std::string> files;
    for (int i = first; i < argc; ++i) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(argv[i], error);
        files.push_back(error ? std::string(argv[i]) : path.string());
    }
    return files;
}

// Starts the companion launcher with the files: the editor itself only runs
// when something starts it with "-nosplash". VELMORA_LAUNCHER names another
// launcher to start, which lets the start-up be checked without a desktop.
// Without a launcher to start, the user is told what is missing, since
// nothing else would ever appear; the result is the program's exit status.
int StartLauncher(int argc, char** argv) {
    const std::string folder = ExecutableFolder(argv[0]);
    const char* replacement = std::getenv("VELMORA_LAUNCHER");
    const std::string launcher =
        replacement && *replacement ? std::string(replacement) : LauncherPath(folder);
    if (ShellOpenProgram(launcher, folder, FileArguments(argc, argv, 1))) return 0;
    std::fprintf(stderr,
                 "velmora: the launcher %s is missing or cannot be started.\n"
                 "Reinstall Velmora, or start the editor directly with: %s -nosplash\n",
                 launcher.c_str(), argv[0]);
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
    // Only the first argument decides, exactly as typed; the rest are files.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first != "-nosplash") return StartLauncher(argc, argv);
    // Of the files given, the first is the photo to start with.
    const std::vector<std::string> files = FileArguments(argc, argv, 2);
    if (!files.empty()) StartupPhoto = files.front();
    KeepWorkSafe = true;
    UseCanvasSurfaceFormat();
    QApplication application(argc, argv);
    QApplication::setApplicationName("velmora");
    QApplication::setDesktopFileName("velmora");
    QApplication::setWindowIcon(ApplicationIcon());
    TWScreen welcome;
    welcome.show();
    return application.exec();
}
