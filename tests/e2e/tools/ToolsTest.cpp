#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error
};

Outcome run(const std::string& command) {
    Outcome result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(RunApplet, RefusesUnknownNamesAndBadSizesListingTheClasses) {
    const std::string tool = RUNAPPLET_PATH;
    for (const std::string args : {"", " Nonesuch", " Calculator 400", " Calculator 0 300",
                                   " Calculator 400 +300", " Calculator 400 10001"}) {
        SCOPED_TRACE(args);
        const Outcome r = run(tool + args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.output.find("usage: runapplet NAME [WIDTH HEIGHT]"), std::string::npos) << r.output;
    }
    const Outcome unknown = run(tool + " Nonesuch");
    EXPECT_NE(unknown.output.find("no applet class is named \"Nonesuch\""), std::string::npos);
    EXPECT_NE(unknown.output.find("applet classes: Calculator"), std::string::npos);
}

TEST(FormsDemo, SelfTestLinesShowTheExpectedTexts) {
    const Outcome r = run(std::string(FORMSDEMO_PATH) + " --test-justify");
    ASSERT_EQ(r.status, 0) << r.output;
    std::istringstream lines(r.output);
    std::string line;
    int cases = 0;
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        const std::size_t colons = line.find(":::");
        ASSERT_NE(colons, std::string::npos) << line;
        const std::string expected = line.substr(colons + 3);
        const std::size_t arrow = line.find(" => ");
        const std::size_t start = arrow == std::string::npos ? 0 : arrow + 4;
        EXPECT_EQ(line.substr(start, colons - start), expected) << line;
        ++cases;
    }
    EXPECT_GE(cases, 35);
}

}  // namespace
