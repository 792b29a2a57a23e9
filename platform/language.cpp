#include "platform/language.h"

#include <QDir>
#include <QFileInfo>
#include <new>

#include "platform/ini_file.h"

std::string LangStrings[100];
std::string HelpFileName;
std::string ProgramFolder;
int32_t ScreenWidth = 0;
int32_t ScreenHeight = 0;

namespace {

constexpr int TextCount = 100;

// Labels and message boxes break the line at the carriage return; the space
// before it keeps the text's length, so texts can be edited in place.
void ReplaceLineBreaks(std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && text[i + 1] == 'n') {
            text[i] = ' ';
            text[i + 1] = '\r';
        }
    }
}

bool IsFile(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

void LoadLanguage(const std::string& path) {
    if (!IsFile(QString::fromStdString(path))) return;
    // A failure while reading keeps the texts read so far and leaves the rest empty.
    try {
        const IniFile ini(path);
        HelpFileName = ini.ReadString("Options", "HelpFile", "");
        for (int n = 1; n <= TextCount; ++n) {
            LangStrings[n - 1] = ini.ReadString("Strings", std::to_string(n), "");
            ReplaceLineBreaks(LangStrings[n - 1]);
        }
    } catch (const std::bad_alloc&) {
    }
}

const std::string& Lang(int n) {
    static const std::string empty;
    return n >= 1 && n <= TextCount ? LangStrings[n - 1] : empty;
}

std::string LocateProgramFolder(const std::string& executableFolder) {
    const QString own =
        QDir::cleanPath(QString::fromStdString(executableFolder.empty() ? "." : executableFolder));
    const QString installed = QDir::cleanPath(own + "/../share/velmora");
    QString folder = own;
    if (!IsFile(own + "/lang.ini") && IsFile(installed + "/lang.ini")) folder = installed;
    if (!folder.endsWith('/')) folder += '/';
    return folder.toStdString();
}

void ResetLanguage() {
    for (std::string& text : LangStrings)
        text.clear();
    HelpFileName.clear();
    ProgramFolder.clear();
    ScreenWidth = 0;
    ScreenHeight = 0;
}
