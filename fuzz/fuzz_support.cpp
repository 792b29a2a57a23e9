#include "fuzz/fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

const std::string& FuzzFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return folder;
}

std::string WriteFuzzFile(const std::string& relative, const void* data, size_t size) {
    const std::filesystem::path path = FuzzFolder() + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), std::streamsize(size));
    return path.string();
}
