#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A read-only INI file with the rules of the Windows profile functions, which
// is what the program's INI files were written for: section and key names
// match without regard to case, blanks around keys and values are dropped, as
// is one pair of enclosing quotes, the first matching section and the first
// matching key in it win, lines starting with ';' are comments and a value is
// cut at 2047 characters. The text is UTF-8 (a byte order mark is skipped)
// with CRLF or LF line ends. The file is read once, at construction; a
// missing or unreadable file reads as an empty one.
class IniFile {
  public:
    explicit IniFile(const std::string& path);
    // An INI text already in memory (a built-in file), read by the same rules.
    static IniFile FromText(std::string text);

    bool Exists() const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // The value read as an integer (optional sign, decimal digits, or hex after
    // '$' or "0x"); the fallback when it is not one or does not fit 32 bits.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;

  private:
    IniFile() = default;

    // A piece of text_, kept as offsets so that copies of the object stay valid.
    struct Span {
        uint32_t Begin = 0;
        uint32_t Length = 0;
    };
    struct Entry {
        Span Key;
        Span Value;
    };
    struct Section {
        Span Name;
        size_t FirstEntry = 0;
        size_t EndEntry = 0;
    };

    void Parse();
    void ParseLine(std::string_view line);
    std::string_view View(Span span) const;
    Span SpanOf(std::string_view piece) const;
    const Entry* Find(std::string_view section, std::string_view key) const;

    bool exists_ = false;
    std::string text_; // the file's text, which names and values refer to
    std::vector<Section> sections_;
    std::vector<Entry> entries_;
};

// Reads an integer the way the program's INI values are written: optional sign,
// then decimal digits or hex digits after '$' or "0x". False when the text is
// anything else or the number does not fit 32 bits.
bool ParseIniInteger(std::string_view text, int32_t& value);
