#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Zip containers in memory, through libzip. Nothing is ever extracted to
// disk: entries are only read into memory, and only after their stated sizes
// have been checked against the limits below.

// No entry of a session comes near this: a photo file is at most
// MaxPictureFileBytes, a PNG of the largest layer far less.
constexpr uint64_t MaxZipEntryBytes = 256ULL * 1024 * 1024;
// All entries read from one archive together.
constexpr uint64_t MaxZipTotalBytes = 768ULL * 1024 * 1024;
// Pictures are compressed already and text shrinks perhaps tenfold: an entry
// claiming to inflate more than this is a zip bomb, not a session.
constexpr uint64_t MaxZipCompressionRatio = 200;
// Small entries may compress well without costing anything.
constexpr uint64_t ZipRatioExemptBytes = 1024 * 1024;
constexpr int64_t MaxZipEntries = 10000;

// Entries are added in order and written in that order; Stored ones are not
// compressed (PNG and JPEG data would not shrink anyway).
class ZipWriter {
  public:
    enum class Method { Stored, Deflated };
    void Add(const std::string& name, std::vector<uint8_t> data, Method method);
    // The whole archive; false (with the reason) when libzip fails.
    bool Finish(std::vector<uint8_t>& out, std::string& error);

  private:
    struct Entry {
        std::string Name;
        std::vector<uint8_t> Data;
        Method How;
    };
    std::vector<Entry> entries_;
};

enum class ZipProblem { None, NotAZip, Damaged, TooLarge, Missing, BadName };

class ZipReader {
  public:
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // Opens the archive held in `data` (which must outlive the reader) and
    // checks every entry's name: a name with ".." or an absolute path refuses
    // the whole archive.
    ZipProblem Open(const std::vector<uint8_t>& data);
    // The same for a file, of which only the entries read are read.
    ZipProblem OpenFile(const std::string& path);
    bool Has(const std::string& name) const;
    // The entries' names in the archive's order.
    std::vector<std::string> Names() const;
    // Reads the entry after checking its claimed size and compression ratio.
    ZipProblem Read(const std::string& name, std::vector<uint8_t>& out);

  private:
    ZipProblem Check();
    struct Archive;
    std::unique_ptr<Archive> archive_;
    uint64_t readSoFar_ = 0;
};

// True for a name that stays inside the archive: relative, without "..".
bool SafeEntryName(const std::string& name);
