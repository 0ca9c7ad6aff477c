#pragma once

// Marks a function of a test library (or test executable) as exported, so
// that the stub finds it by name on Linux and on Windows.
#ifdef _WIN32
#define TEST_EXPORT __declspec(dllexport)
#else
#define TEST_EXPORT __attribute__((visibility("default")))
#endif
