#pragma once

#include <fstream>
#include <string>

// The process's memory from /proc/self/status in kilobytes, -1 where it cannot
// be read: resident now (VmRSS) or at its peak (VmHWM). ResetPeakMemory
// starts a new peak at what is resident now.
inline long StatusMemoryKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return -1;
}
inline long ResidentMemoryKb() {
    return StatusMemoryKb("VmRSS");
}
inline long PeakMemoryKb() {
    return StatusMemoryKb("VmHWM");
}
inline bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    return bool(clear << "5" << std::flush);
}
