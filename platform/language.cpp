#include "platform/language.h"

#include <QDir>
#include <QFile>
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

// The lang.ini shipped with the program, built into it, so that a missing,
// empty or broken file beside the program never leaves a blank question box.
IniFile BuiltInLanguage() {
    QFile file(QStringLiteral(":/lang.ini"));
    if (!file.open(QIODevice::ReadOnly)) return IniFile::FromText({});
    return IniFile::FromText(file.readAll().toStdString());
}

// The file's text, or the built-in one where the file gives none (an empty
// text is never meant: it would show a blank hint or message).
std::string ReadText(const IniFile& file, const IniFile& builtIn, const std::string& section,
                     const std::string& key) {
    std::string text = file.ReadString(section, key, "");
    return text.empty() ? builtIn.ReadString(section, key, "") : text;
}

} // namespace

void LoadLanguage(const std::string& path) {
    // A failure while reading keeps the texts read so far; the rest stay empty.
    try {
        const IniFile builtIn = BuiltInLanguage();
        const IniFile file(path);
        HelpFileName = ReadText(file, builtIn, "Options", "HelpFile");
        for (int n = 1; n <= TextCount; ++n) {
            LangStrings[n - 1] = ReadText(file, builtIn, "Strings", std::to_string(n));
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
