#pragma once

// Appends one line to the file named by KOV_TEST_LOG (when set); the test
// libraries use it to record their calls for the start-up tests.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testlog {

inline void line(const std::string& text) {
    const char* path = std::getenv("KOV_TEST_LOG");
    if (path == nullptr) return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", text.c_str());
        std::fclose(f);
    }
}

}  // namespace testlog
