#include "platform/ini_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

// The program's INI files are a few kilobytes; anything beyond this is not an
// INI file worth reading and is ignored rather than loaded into memory.
constexpr size_t MaxIniBytes = 16u << 20;
// The profile functions hand back at most this many characters of a value.
constexpr size_t MaxValueCharacters = 2047;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Cuts a UTF-8 value after its first MaxValueCharacters characters.
std::string_view CutValue(std::string_view value) {
    size_t characters = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(value[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > MaxValueCharacters) return value.substr(0, i);
    }
    return value;
}

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

int DigitValue(char c, int base) {
    int digit = 99;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (FoldCase(c) >= 'a' && FoldCase(c) <= 'f')
        digit = FoldCase(c) - 'a' + 10;
    return digit < base ? digit : -1;
}

} // namespace

bool ParseIniInteger(std::string_view text, int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    // Hex may use all 32 bits (as $FFFFFFFF for -1); decimal must fit the signed range.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    uint64_t magnitude = 0;
    for (char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(digit);
        if (magnitude > limit) return false;
    }
    if (text.empty()) return false;
    const uint32_t bits = uint32_t(magnitude);
    value = int32_t(negative ? 0u - bits : bits);
    return true;
}

IniFile::IniFile(const std::string& path) {
    std::error_code failure;
    if (!std::filesystem::is_regular_file(path, failure)) return;
    std::ifstream file(path, std::ios::binary);
    if (!file) return;
    char chunk[1 << 16];
    while (text_.size() < MaxIniBytes && file.read(chunk, sizeof chunk).gcount() > 0)
        text_.append(chunk, std::min(size_t(file.gcount()), MaxIniBytes - text_.size()));
    exists_ = true;
    Parse();
}

IniFile IniFile::FromText(std::string text) {
    IniFile ini;
    ini.text_ = std::move(text);
    if (ini.text_.size() > MaxIniBytes) ini.text_.resize(MaxIniBytes);
    ini.exists_ = true;
    ini.Parse();
    return ini;
}

bool IniFile::Exists() const {
    return exists_;
}

void IniFile::Parse() {
    std::string_view text = text_;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        ParseLine(Trim(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

void IniFile::ParseLine(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
        const std::string_view name = line.substr(1, line.find(']') - 1);
        sections_.push_back({SpanOf(Trim(name)), entries_.size(), entries_.size()});
        return;
    }
    const size_t equals = line.find('=');
    if (sections_.empty() || equals == std::string_view::npos) return;
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = CutValue(Unquote(Trim(line.substr(equals + 1))));
    if (key.empty()) return;
    entries_.push_back({SpanOf(key), SpanOf(value)});
    sections_.back().EndEntry = entries_.size();
}

std::string_view IniFile::View(Span span) const {
    return std::string_view(text_).substr(span.Begin, span.Length);
}

IniFile::Span IniFile::SpanOf(std::string_view piece) const {
    return {uint32_t(piece.data() - text_.data()), uint32_t(piece.size())};
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const {
    for (const Section& candidate : sections_) {
        if (!SameName(View(candidate.Name), section)) continue;
        // Only the first section of a name counts, even when a later one repeats it.
        for (size_t i = candidate.FirstEntry; i < candidate.EndEntry; ++i)
            if (SameName(View(entries_[i].Key), key)) return &entries_[i];
        return nullptr;
    }
    return nullptr;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    const Entry* entry = Find(section, key);
    return entry ? std::string(View(entry->Value)) : fallback;
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t fallback) const {
    int32_t value = 0;
    const Entry* entry = Find(section, key);
    return entry && ParseIniInteger(View(entry->Value), value) ? value : fallback;
}
