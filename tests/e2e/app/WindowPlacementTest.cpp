// The built program on a real X server with a window manager (openbox),
// played with the keyboard alone through xdotool: the game window opens over
// the word-selection window, and "New Game" brings that window back where it
// was.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int centreX() const { return x + width / 2; }
    int centreY() const { return y + height / 2; }
};

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"/usr/bin/Xvfb", "/usr/bin/openbox", "/usr/bin/xdotool"}) {
            if (!fs::exists(tool)) GTEST_SKIP() << tool << " missing";
        }
        copyFile(REAL_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
        fs::permissions(layout.root(), fs::perms::owner_all, fs::perm_options::replace);
        server = std::make_unique<XServer>(layout.root());
        ASSERT_FALSE(server->display().empty()) << "Xvfb did not start";
        windowManager = std::make_unique<Background>(std::vector<std::string>{"/usr/bin/openbox"}, environment(),
                                                     layout.root() / "openbox.txt");
        ASSERT_TRUE(eventually(20, [&] { return managed(); })) << "openbox did not start";
    }

    Environment environment() const {
        return {{"PATH", "/usr/bin:/bin"}, {"HOME", layout.root().string()},
                {"XDG_RUNTIME_DIR", layout.root().string()}, {"DISPLAY", server->display()}};
    }

    Result xdotool(std::vector<std::string> args) const {
        args.insert(args.begin(), "/usr/bin/xdotool");
        return runProgram(args, environment());
    }

    // Whether openbox has taken the screen (it names itself on the root).
    bool managed() const {
        return runProgram({"/usr/bin/xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, environment()).out.find("window id") !=
               std::string::npos;
    }

    // The one visible window with this exact title, or "".
    std::string visibleWindow(const std::string& title) const {
        const Result r = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
        std::istringstream ids(r.out);
        std::string id, extra;
        return ids >> id && !(ids >> extra) ? id : std::string();
    }

    std::string awaitWindow(const std::string& title) const {
        std::string id;
        eventually(20, [&] { return !(id = visibleWindow(title)).empty(); });
        return id;
    }

    Geometry geometry(const std::string& id) const {
        Geometry g;
        const Result r = xdotool({"getwindowgeometry", "--shell", id});
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);) {
            std::sscanf(line.c_str(), "X=%d", &g.x);
            std::sscanf(line.c_str(), "Y=%d", &g.y);
            std::sscanf(line.c_str(), "WIDTH=%d", &g.width);
            std::sscanf(line.c_str(), "HEIGHT=%d", &g.height);
        }
        return g;
    }

    void keys(const std::vector<std::string>& names) const {
        std::vector<std::string> args{"key", "--delay", "80"};
        args.insert(args.end(), names.begin(), names.end());
        xdotool(args);
    }
    void type(const std::string& text) const { xdotool({"type", "--delay", "80", text}); }

    Layout layout{HANGMAN_EXE, false};
    std::unique_ptr<XServer> server;
    std::unique_ptr<Background> windowManager;
};

TEST_F(Desktop, TheGameOpensOverTheWordListAndNewGameBringsTheListBackWhereItWas) {
    Background program({layout.exe().string()}, environment(), layout.root() / "stderr.txt");
    const std::string list = awaitWindow("Word Selection");
    ASSERT_FALSE(list.empty());
    xdotool({"windowactivate", "--sync", list});
    const Geometry before = geometry(list);

    // "Edit", "Add" through the menu bar's keyboard navigation, then a word.
    keys({"alt", "Right", "Down", "Return"});
    ASSERT_FALSE(awaitWindow("Add Word").empty());
    type("cat");
    keys({"Return"});
    ASSERT_TRUE(eventually(20, [&] { return visibleWindow("Add Word").empty(); }));

    for (int round = 0; round < 2; ++round) {
        // Tab to "Select Word", Enter; the game window is titled " ".
        keys({"Tab", "Return"});
        const std::string game = awaitWindow(" ");
        ASSERT_FALSE(game.empty()) << "round " << round;
        const Geometry placed = geometry(game);
        EXPECT_NEAR(placed.centreX(), before.centreX(), 30);
        EXPECT_NEAR(placed.centreY(), before.centreY(), 30);
        // A guess typed at once lands in the guess field; its message goes
        // with Enter. Then "File", "New Game".
        type("x");
        keys({"Return"});
        ASSERT_FALSE(awaitWindow("Message").empty());
        keys({"Return"});
        ASSERT_TRUE(eventually(20, [&] { return visibleWindow("Message").empty(); }));
        keys({"alt", "Down", "Return"});
        ASSERT_FALSE(awaitWindow("Word Selection").empty()) << "round " << round;
        const Geometry after = geometry(list);
        EXPECT_EQ(after.x, before.x) << "round " << round;
        EXPECT_EQ(after.y, before.y) << "round " << round;
    }
    EXPECT_TRUE(program.running());
}

}  // namespace
}  // namespace e2e
