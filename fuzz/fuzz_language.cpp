#include <string_view>

#include "fuzz/fuzz_support.h"
#include "platform/ini_file.h"
#include "platform/language.h"

namespace {

// After reading, no text may still hold the line-break escape.
void CheckTexts() {
    for (int n = 1; n <= 100; ++n)
        if (Lang(n).find("\\n") != std::string::npos) std::abort();
}

} // namespace

// The INI reader under every rule it follows (sections, keys, quotes, case,
// integers) and the language file read through it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("lang.ini", data, size);
    const IniFile ini(path);
    if (!ini.Exists()) std::abort();
    for (const char* section : {"Strings", "data", "pics", "gallery", "files", "Options"})
        for (const char* key : {"1", "NbGroups", "NbPics", "pic1", "pic1w", "Count", "file1"})
            ini.ReadInteger(section, key, ini.ReadString(section, key, "").size());
    int32_t value = 0;
    ParseIniInteger(std::string_view(reinterpret_cast<const char*>(data), size), value);
    ResetLanguage();
    LoadLanguage(path);
    CheckTexts();
    return 0;
}
