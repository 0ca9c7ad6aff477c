#pragma once

// The C++ entry of the runtime component, for programs and tests that link it
// directly instead of going through KR_Loader.

#include <optional>
#include <string>

#if defined(_WIN32) && defined(RTQT_BUILDING)
#define RTQT_API __declspec(dllexport)
#elif defined(_WIN32)
#define RTQT_API __declspec(dllimport)
#else
#define RTQT_API __attribute__((visibility("default")))
#endif

namespace rt {
class Toolkit;
}  // namespace rt

namespace rtqt {

// Creates the application object (unless one exists) and the toolkit, once
// per process, and returns the toolkit. The caller binds it in its own copy
// of the interface (rt::bindToolkit); the component never does. argc and argv
// must outlive the toolkit.
RTQT_API rt::Toolkit& startToolkit(int& argc, char** argv);

// A runtime option ("-Dname[:value]") from the configuration block that
// KR_Loader accepted: its value ("" for a bare name), or nothing.
RTQT_API std::optional<std::string> runtimeOption(const std::string& name);

}  // namespace rtqt
