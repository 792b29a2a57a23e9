#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

std::function<bool(const std::string& target)> ShellOpenInterceptor;

bool ShellOpenProgram(const std::string& path, const std::string& workingFolder,
                      const std::vector<std::string>& arguments) {
    if (ShellOpenInterceptor) return ShellOpenInterceptor(path);
    const QString program = QString::fromStdString(path);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) return false;
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(program, list, QString::fromStdString(workingFolder));
}

bool ShellOpenWebAddress(const std::string& address) {
    if (ShellOpenInterceptor) return ShellOpenInterceptor(address);
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    // Only web pages: an address of another scheme could name a local program.
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) return false;
    return QDesktopServices::openUrl(url);
}
