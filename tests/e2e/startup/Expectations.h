#pragma once

// What the start-up tests expect of the stub on either platform, held once
// for the native suite (tests/e2e/startup) and the one under wine64
// (tests/e2e/wine): the stub's message texts, the lines the test libraries
// record, and the scenarios both suites run. The texts are those the stub
// holds, with CR LF inside; Platform says how a platform's stub writes them.

#include <string>
#include <vector>

namespace e2e::expect {

// How the stub of one platform ends the messages it writes on standard
// error: on Linux CR LF becomes LF and a message gets one LF unless it
// ends with one; on Windows the text goes as it is, followed by CR LF.
enum class Platform { Linux, Windows };

std::string onStandardError(Platform platform, const std::string& message);

// The fatal messages, as the stub holds them.
std::string unableToLoad(const std::string& what, const std::string& exe);
std::string installationMissing(const std::string& version);
std::string profileMissing(const std::string& exe, const std::string& profile);
std::string profileDamaged(const std::string& exe, const std::string& profile);
std::string pathTooLong(const std::string& exe);
// Blocks the stub refuses (two of the texts end with a line end of their own).
inline constexpr char InvalidBlock[] = "Invalid CPB";
inline constexpr char NoBlock[] = "Invalid component: no CPB";
inline constexpr char NoKernelName[] = "Invalid CPB: RT component not defined\n";
inline constexpr char NoProfileName[] = "Invalid CPB: KOV profile name is not defined\n";
// Runtimes it refuses.
inline constexpr char NoLoaderEntry[] = "Unable to find loader entry";
inline constexpr char SlotsNotSet[] = "Invalid runtime: entry slot 98 is not set";

// The lines the test runtime and the test splash library record.
std::string loaderLine(const std::string& library);
inline constexpr char RuntimeInit[] = "init 0";
inline constexpr char RuntimeRun[] = "run";
// The whole record of a start that loaded library and ran both entries.
std::vector<std::string> startedLines(const std::string& library);
inline constexpr char SplashInit[] = "splash-init 3 1 0 data=0";
// The test program's splash image is the 15 bytes of splash-test.bin.
inline constexpr char SplashLoad[] = "splash-load 15 JFIF test image";
inline constexpr char SplashCloseNow[] = "splash-close-now";

// A header word of the block set to a value the stub refuses (cpbtool
// set-word arguments).
struct WordEdit {
    const char* word;
    const char* value;
};
extern const std::vector<WordEdit> RefusedHeaderWords;

// The installation's version as the block's words give it, before and
// after "set-word 3 5" (the minor version).
inline constexpr char InstalledVersion[] = "6.40";
inline constexpr char OtherMinorVersion[] = "6.05";

}  // namespace e2e::expect
