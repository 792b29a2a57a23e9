#pragma once

#include <cstdint>
#include <string>

// The values set once at start and read everywhere: the interface texts of
// lang.ini (text n at place n - 1), the help file's name, the folder of the
// program's files (ending in '/') and the primary screen's size.
extern std::string LangStrings[100];
extern std::string HelpFileName;
extern std::string ProgramFolder;
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;

// Reads HelpFile of [Options] and the texts "1" to "100" of [Strings] from the
// language file. A backslash followed by a lower-case n in a text becomes a
// space and a carriage return, so the text keeps its length. Every value the
// file does not give (missing, empty, or the whole file missing or unreadable)
// comes from the lang.ini built into the program.
void LoadLanguage(const std::string& path);

// Text n (1..100); an empty text for any other number.
const std::string& Lang(int n);

// The folder holding lang.ini and the program's other files, ending in '/': the
// executable's own folder when lang.ini lies there (a build or a portable
// copy), else <executable folder>/../share/velmora/ when it lies there (an
// installed copy), else the executable's own folder.
std::string LocateProgramFolder(const std::string& executableFolder);

// Empties all of the values above.
void ResetLanguage();
