#pragma once

// The C++ entry of the Win32 runtime component, for programs and tests that
// link it directly instead of going through KR_Loader.

#include <optional>
#include <string>

#ifdef RTWIN_BUILDING
#define RTWIN_API __declspec(dllexport)
#else
#define RTWIN_API __declspec(dllimport)
#endif

namespace rt {
class Toolkit;
}  // namespace rt

namespace rtwin {

// Starts the toolkit once per process and returns it. The caller binds it
// in its own copy of the interface (rt::bindToolkit); the component never
// does.
RTWIN_API rt::Toolkit& startToolkit();

// A runtime option ("-Dname[:value]") from the configuration block that
// KR_Loader accepted: its value ("" for a bare name), or nothing.
RTWIN_API std::optional<std::string> runtimeOption(const std::string& name);

}  // namespace rtwin
