#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

// The launcher that the program starts when it is run without "-nosplash": it
// starts the editor with the argument the editor waits for, passes every file
// on, and ends without showing anything (the editor shows its own welcome
// screen). The editor lies beside it in a build and in the installed copy's
// bin folder, two levels up from the launcher's private folder.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    QString editor = folder + "/velmora";
    if (!QFileInfo(editor).isExecutable()) editor = folder + "/../../bin/velmora";
    QStringList arguments{QStringLiteral("-nosplash")};
    for (const QString& file : QCoreApplication::arguments().mid(1))
        arguments << QFileInfo(file).absoluteFilePath();
    const bool started = QProcess::startDetached(editor, arguments, folder);
    return started ? 0 : 1;
}
