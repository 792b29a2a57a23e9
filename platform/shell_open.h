#pragma once

#include <functional>
#include <string>
#include <vector>

// Hands a program or web address to the desktop, the way a file manager
// opens what is double-clicked. Nothing waits for what is started, and the
// callers do not look at the result: a missing viewer or browser is not an
// error of this program. Each call returns whether the request was handed on.

// Starts the program at `path` with these arguments, in `workingFolder`,
// independent of this process.
bool ShellOpenProgram(const std::string& path, const std::string& workingFolder,
                      const std::vector<std::string>& arguments = {});

// Opens a web address in the desktop's browser.
bool ShellOpenWebAddress(const std::string& address);

// When set, every request goes here instead of to the desktop, with the
// program's or address's text; its result is the call's result.
// Tests set it to see what would be opened without starting anything.
extern std::function<bool(const std::string& target)> ShellOpenInterceptor;
