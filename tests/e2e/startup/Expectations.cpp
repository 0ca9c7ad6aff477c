#include "tests/e2e/startup/Expectations.h"

namespace e2e::expect {

namespace {

std::string withLfLineEnds(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") != 0) plain += text[i];
    }
    return plain;
}

}  // namespace

std::string onStandardError(Platform platform, const std::string& message) {
    if (platform == Platform::Windows) return message + "\r\n";
    std::string text = withLfLineEnds(message);
    if (text.empty() || text.back() != '\n') text += '\n';
    return text;
}

std::string unableToLoad(const std::string& what, const std::string& exe) {
    return "Unable to load " + what + " (referenced from " + exe + ")\r\n";
}

std::string installationMissing(const std::string& version) {
    return "Fatal error: Tarnwick KOV " + version +
           " installation cannot be found.\r\n\r\nHOW TO FIX:\r\n\r\n"
           "If you port compiled executables to other machines, please, use the Ferrolink\r\n"
           "deployment wizard (see KOV User's Guide, \"Deployment Automation\" for details).\r\n\r\n"
           "Otherwise, include the KOV/bin directory into PATH or reinstall KOV.\r\n";
}

std::string profileMissing(const std::string& exe, const std::string& profile) {
    return "Fatal error: \"" + exe + "\" requires KOV profile \"2.8.0_07\" that cannot be found (\"" + profile +
           "\" does not exist).\r\n\r\nHOW TO FIX: run KOV Setup to create a new KOV profile and then recompile "
           "the application.\r\n";
}

std::string profileDamaged(const std::string& exe, const std::string& profile) {
    return "Fatal error: \"" + exe + "\" requires an outdated or damaged KOV profile \"2.8.0_07\" (located at \"" +
           profile + "\").\r\n\r\nHOW TO FIX: run KOV Setup and repair KOV profile \"2.8.0_07\".\r\n";
}

std::string pathTooLong(const std::string& exe) { return "Path too long: " + exe; }

std::string loaderLine(const std::string& library) {
    return "loader " + library + " words=ok reason=1 tables=ok bind=set main=HangMan";
}

std::vector<std::string> startedLines(const std::string& library) {
    return {loaderLine(library), RuntimeInit, RuntimeRun};
}

const std::vector<WordEdit> RefusedHeaderWords{{"1", "3"}, {"1", "5"}, {"6", "0"}};

}  // namespace e2e::expect
