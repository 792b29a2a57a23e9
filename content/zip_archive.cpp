#include "content/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <fstream>

struct ZipReader::Archive {
    zip_t* Zip = nullptr;
    ~Archive() {
        if (Zip) zip_discard(Zip);
    }
};

void ZipWriter::Add(const std::string& name, std::vector<uint8_t> data, Method method) {
    entries_.push_back({name, std::move(data), method});
}

namespace {

std::string LibzipError(zip_error_t* error) {
    return zip_error_strerror(error);
}

// The entries' data stays with the writer until the archive is closed.
bool AddEntry(zip_t* zip, const std::string& name, const std::vector<uint8_t>& data, bool stored,
              std::string& error) {
    zip_source_t* source = zip_source_buffer(zip, data.data(), data.size(), 0);
    const zip_int64_t index =
        source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        if (source) zip_source_free(source);
        error = zip_strerror(zip);
        return false;
    }
    const zip_int32_t method = stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(zip, zip_uint64_t(index), method, 0) == 0) return true;
    error = zip_strerror(zip);
    return false;
}

bool ReadSource(zip_source_t* source, std::vector<uint8_t>& out) {
    if (zip_source_open(source) != 0) return false;
    bool done = zip_source_seek(source, 0, SEEK_END) == 0;
    const zip_int64_t size = done ? zip_source_tell(source) : -1;
    done = size >= 0 && zip_source_seek(source, 0, SEEK_SET) == 0;
    if (done) {
        out.resize(size_t(size));
        done = zip_source_read(source, out.data(), zip_uint64_t(size)) == size;
    }
    zip_source_close(source);
    return done;
}

} // namespace

bool ZipWriter::Finish(std::vector<uint8_t>& out, std::string& error) {
    zip_error_t failure;
    zip_error_init(&failure);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &failure);
    zip_t* zip = target ? zip_open_from_source(target, ZIP_TRUNCATE, &failure) : nullptr;
    if (!zip) {
        error = LibzipError(&failure);
        zip_error_fini(&failure);
        if (target) zip_source_free(target);
        return false;
    }
    // The archive is read back from the buffer source once it is closed.
    zip_source_keep(target);
    bool done = true;
    for (const Entry& entry : entries_)
        done = done && AddEntry(zip, entry.Name, entry.Data, entry.How == Method::Stored, error);
    if (!done) {
        zip_discard(zip);
    } else if (zip_close(zip) != 0) {
        error = zip_strerror(zip);
        zip_discard(zip);
        done = false;
    }
    done = done && ReadSource(target, out);
    zip_source_free(target);
    zip_error_fini(&failure);
    entries_.clear();
    return done;
}

bool SafeEntryName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') return false;
    if (name.find(':') != std::string::npos || name.find('\\') != std::string::npos) return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

namespace {

// Refused on the sizes the archive claims, before anything is inflated.
ZipProblem CheckClaim(zip_t* zip, zip_uint64_t index) {
    zip_stat_t stat;
    if (zip_stat_index(zip, index, 0, &stat) != 0) return ZipProblem::Damaged;
    if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE))
        return ZipProblem::Damaged;
    if (stat.size > MaxZipEntryBytes) return ZipProblem::TooLarge;
    if (stat.size > ZipRatioExemptBytes && stat.size / MaxZipCompressionRatio > stat.comp_size)
        return ZipProblem::TooLarge;
    return ZipProblem::None;
}

} // namespace

ZipReader::ZipReader() = default;
ZipReader::~ZipReader() = default;

ZipProblem ZipReader::Open(const std::vector<uint8_t>& data) {
    archive_.reset();
    zip_error_t failure;
    zip_error_init(&failure);
    zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &failure);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &failure) : nullptr;
    const int code = zip_error_code_zip(&failure);
    zip_error_fini(&failure);
    if (!zip) {
        if (source) zip_source_free(source);
        // A cut-off archive has lost its directory but still starts as one.
        const bool startsAsZip = data.size() >= 4 && data[0] == 'P' && data[1] == 'K';
        return code == ZIP_ER_NOZIP && !startsAsZip ? ZipProblem::NotAZip : ZipProblem::Damaged;
    }
    archive_ = std::make_unique<Archive>();
    archive_->Zip = zip;
    return Check();
}

ZipProblem ZipReader::OpenFile(const std::string& path) {
    archive_.reset();
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!zip) {
        char start[2] = {};
        std::ifstream(path, std::ios::binary).read(start, sizeof start);
        const bool startsAsZip = start[0] == 'P' && start[1] == 'K';
        return code == ZIP_ER_NOZIP && !startsAsZip ? ZipProblem::NotAZip : ZipProblem::Damaged;
    }
    archive_ = std::make_unique<Archive>();
    archive_->Zip = zip;
    return Check();
}

ZipProblem ZipReader::Check() {
    zip_t* zip = archive_->Zip;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    if (count < 0 || count > MaxZipEntries) return ZipProblem::TooLarge;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!name || !SafeEntryName(name)) return ZipProblem::BadName;
        if (const ZipProblem problem = CheckClaim(zip, zip_uint64_t(i));
            problem != ZipProblem::None)
            return problem;
    }
    return ZipProblem::None;
}

bool ZipReader::Has(const std::string& name) const {
    return archive_ && zip_name_locate(archive_->Zip, name.c_str(), 0) >= 0;
}

std::vector<std::string> ZipReader::Names() const {
    std::vector<std::string> names;
    const zip_int64_t count = archive_ ? zip_get_num_entries(archive_->Zip, 0) : 0;
    for (zip_int64_t i = 0; i < count; ++i)
        names.emplace_back(zip_get_name(archive_->Zip, zip_uint64_t(i), ZIP_FL_ENC_RAW));
    return names;
}

ZipProblem ZipReader::Read(const std::string& name, std::vector<uint8_t>& out) {
    if (!archive_) return ZipProblem::Missing;
    const zip_int64_t index = zip_name_locate(archive_->Zip, name.c_str(), 0);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(archive_->Zip, zip_uint64_t(index), 0, &stat) != 0)
        return ZipProblem::Missing;
    if (const ZipProblem problem = CheckClaim(archive_->Zip, zip_uint64_t(index));
        problem != ZipProblem::None)
        return problem;
    if (readSoFar_ + stat.size > MaxZipTotalBytes) return ZipProblem::TooLarge;
    zip_file_t* file = zip_fopen_index(archive_->Zip, zip_uint64_t(index), 0);
    if (!file) return ZipProblem::Damaged;
    out.resize(size_t(stat.size));
    const zip_int64_t got = zip_fread(file, out.data(), stat.size);
    // One byte more than claimed shows a lying header.
    uint8_t extra = 0;
    const bool exact = got == zip_int64_t(stat.size) && zip_fread(file, &extra, 1) == 0;
    zip_fclose(file);
    if (!exact) return ZipProblem::Damaged;
    readSoFar_ += stat.size;
    return ZipProblem::None;
}
