#include <QCoreApplication>
#include <QProcess>

// The launcher that the desktop menu starts: it starts the editor beside
// itself with the argument the editor waits for, and ends without showing
// anything (the editor shows its own welcome screen).
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    const bool started =
        QProcess::startDetached(folder + "/velmora", {QStringLiteral("-nosplash")}, folder);
    return started ? 0 : 1;
}
