// The built executable started through the real runtime component: the
// game's window comes up and the program waits in the toolkit's event loop.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

class RealRuntime : public testing::Test {
protected:
    RealRuntime() : layout(HANGMAN_EXE, false) {
        copyFile(REAL_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
    }
    Environment environment(const Environment& extra) const {
        Environment env{{"PATH", "/usr/bin:/bin"}, {"HOME", layout.root().string()},
                        {"XDG_RUNTIME_DIR", layout.root().string()}};
        for (const auto& [k, v] : extra) env[k] = v;
        return env;
    }
    fs::path errFile() const { return layout.root() / "stderr.txt"; }

    Layout layout;
};

TEST_F(RealRuntime, StartsTheGameOnTheOffscreenPlatformAndWaitsForEvents) {
    // Qt wants a private runtime directory.
    fs::permissions(layout.root(), fs::perms::owner_all, fs::perm_options::replace);
    Background program({layout.exe().string()}, environment({{"QT_QPA_PLATFORM", "offscreen"}}), errFile());
    const fs::path proc = "/proc/" + std::to_string(program.pid());
    // Up and waiting: the runtime and Qt Widgets are mapped and the main
    // thread sleeps in the event loop's poll.
    const bool waiting = eventually(30, [&] {
        const std::string maps = fileText(proc / "maps");
        return program.running() && maps.find((layout.root() / "rt/kovrt/ZKRN6407.so").string()) != std::string::npos &&
               maps.find("libQt6Widgets") != std::string::npos &&
               fileText(proc / "wchan").find("poll") != std::string::npos;
    });
    EXPECT_TRUE(waiting) << "stderr: " << fileText(errFile());
    EXPECT_TRUE(program.running()) << "ended early; stderr: " << fileText(errFile());
    EXPECT_EQ(fileText(errFile()).find("KOV runtime"), std::string::npos) << fileText(errFile());
}

// A runtime library cut short (a broken copy, a full disk) is refused with
// the stub's message before the loader maps it: mapped, it killed the
// process with SIGBUS inside dlopen.
TEST(TruncatedRuntime, IsReportedAsUnableToLoad) {
    const auto full = static_cast<std::size_t>(fs::file_size(REAL_RUNTIME));
    ASSERT_GT(full, 400u * 1024);
    for (const std::size_t size : {std::size_t{1024}, std::size_t{16384}, std::size_t{65536},
                                   std::size_t{200 * 1024}, std::size_t{400 * 1024}, full - 4096, full - 1}) {
        Layout layout(HANGMAN_EXE, false);
        const fs::path runtime = layout.root() / "rt/kovrt/ZKRN6407.so";
        copyTruncated(REAL_RUNTIME, runtime, size);
        const Result r = layout.run();
        EXPECT_EQ(r.status, 1) << size << " bytes";
        EXPECT_EQ(r.err, unableToLoad(runtime.string(), layout.exe())) << size << " bytes";
    }
}

bool windowShown(const std::string& display, const std::string& title) {
    const Result r = runProgram({"/usr/bin/xdotool", "search", "--name", "^" + title + "$"},
                                {{"DISPLAY", display}});
    return r.status == 0 && !r.out.empty();
}

TEST_F(RealRuntime, ShowsTheWordSelectionWindowOnAnXServer) {
    if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
    XServer server(layout.root());
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    Background program({layout.exe().string()}, environment({{"DISPLAY", server.display()}}), errFile());
    EXPECT_TRUE(eventually(30, [&] { return windowShown(server.display(), "Word Selection"); }))
        << "stderr: " << fileText(errFile());
    EXPECT_TRUE(program.running());
}

TEST(DesktopDialog, FatalMessageIsAlsoShownOnTheDesktopWithoutATerminal) {
    if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xmessage")) GTEST_SKIP() << "Xvfb or xmessage missing";
    Layout layout(HANGMAN_EXE, false);
    XServer server(layout.root());
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    Background program({layout.exe().string()}, {{"PATH", "/usr/bin:/bin"}, {"DISPLAY", server.display()}},
                       layout.root() / "stderr.txt");
    // The box is titled with the executable's path and holds the process
    // until it is dismissed.
    ASSERT_TRUE(eventually(30, [&] { return windowShown(server.display(), layout.exe().string()); }));
    EXPECT_TRUE(program.running());
    EXPECT_EQ(fileText(layout.root() / "stderr.txt"),
              unableToLoad((layout.root() / "rt/kovrt/ZKRN6407.so").string(), layout.exe()));
    const Result closed = runProgram({"/usr/bin/xdotool", "search", "--name", layout.exe().string(), "windowkill"},
                                     {{"DISPLAY", server.display()}});
    EXPECT_EQ(closed.status, 0) << closed.err;
    EXPECT_EQ(program.wait(20), 1);
}

}  // namespace
}  // namespace e2e
