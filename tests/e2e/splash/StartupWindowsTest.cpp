// The built program with the real runtime and the real splash library under
// Xvfb: the splash as a window manager and a person see it, its hand-over to
// the first window, the start-ups that must show none, and the program's
// icon on its window.

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <iterator>
#include <map>

#include "splash/JpegImage.h"
#include "tests/e2e/splash/XSession.h"

namespace e2e {
namespace {

splash::Image programImage() {
    std::ifstream in(SPLASH_JPEG, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    splash::Image image;
    splash::decodeJpeg(bytes.data(), bytes.size(), image);
    return image;
}

// The program beside the real runtime and splash library, as installed.
class OnXvfb : public testing::Test {
protected:
    OnXvfb() : layout(HANGMAN_EXE, false), x(layout.root()) {
        copyFile(REAL_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
        copyFile(SPLASH_LIBRARY, layout.root() / "rt/bin/splashscreen.so");
        fs::permissions(layout.root(), fs::perms::owner_all, fs::perm_options::replace);
    }
    void SetUp() override { ASSERT_TRUE(x.ok()) << "Xvfb did not start"; }

    std::unique_ptr<Background> start(const Environment& extra = {}) {
        Environment env{{"PATH", "/usr/bin:/bin"}, {"HOME", layout.root().string()},
                        {"XDG_RUNTIME_DIR", layout.root().string()}, {"DISPLAY", x.display()}};
        env.insert(extra.begin(), extra.end());
        return std::make_unique<Background>(std::vector<std::string>{layout.exe().string()}, env, errFile());
    }
    // With the test runtime, which waits in its run entry: the start never
    // ends and nothing closes the splash.
    std::unique_ptr<Background> startWaiting() {
        copyFile(TEST_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
        return start({{"KOV_TEST_RUNTIME", "wait"}});
    }
    fs::path errFile() const { return layout.root() / "stderr.txt"; }
    bool isSplash(xcb_window_t w) { return x.wmClass(w) == "Splashscreen"; }
    bool isWordSelection(xcb_window_t w) { return x.title(w) == "Word Selection"; }

    Layout layout;
    XSession x;
};

int largestChannelDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int most = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            most = std::max(most, std::abs(static_cast<int>(a[i] >> shift & 0xff) - static_cast<int>(b[i] >> shift & 0xff)));
        }
    }
    return most;
}

TEST_F(OnXvfb, SplashShowsTheImageCentredAndUndecoratedUntilTheFirstWindowIsUp) {
    // A longer minimum time (tenths of a second) keeps the splash up for
    // the look, whatever the machine's speed.
    layout.cpb({"replace", "splash-value", "40"});
    auto program = start();
    const xcb_window_t splash = x.waitForMap(30, [&](xcb_window_t w) { return isSplash(w); });
    ASSERT_NE(splash, 0u) << "no splash; stderr: " << fileText(errFile());
    const std::vector<std::uint32_t> pixels = x.grab(splash);
    const WindowBox box = x.box(splash);
    EXPECT_EQ(box.width, 261);
    EXPECT_EQ(box.height, 340);
    EXPECT_EQ(box.x, (x.width() - 261) / 2);
    EXPECT_EQ(box.y, (x.height() - 340) / 2);
    EXPECT_EQ(x.cardinals(splash, "_NET_WM_WINDOW_TYPE"),
              std::vector<std::uint32_t>{x.atom("_NET_WM_WINDOW_TYPE_SPLASH")});
    const std::vector<std::uint32_t> motif = x.cardinals(splash, "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[0] & 2u, 2u);  // decorations given ...
    EXPECT_EQ(motif[2], 0u);       // ... as none
    const splash::Image image = programImage();
    ASSERT_EQ(pixels.size(), image.pixels.size());
    EXPECT_LE(largestChannelDifference(pixels, image.pixels), 8);

    const xcb_window_t first = x.waitForMap(30, [&](xcb_window_t w) { return isWordSelection(w); });
    ASSERT_NE(first, 0u) << "stderr: " << fileText(errFile());
    EXPECT_TRUE(x.waitForGone(splash, 30)) << "the splash stayed after the first window";
    EXPECT_TRUE(program->running());
}

TEST_F(OnXvfb, SplashWithTheProgramsOwnSettingsItGoesSoonAfterTheFirstWindow) {
    auto program = start();
    std::vector<xcb_window_t> mapped;
    const xcb_window_t first = x.waitForMap(30, [&](xcb_window_t w) { return isWordSelection(w); }, &mapped);
    ASSERT_NE(first, 0u) << "stderr: " << fileText(errFile());
    xcb_window_t splash = 0;
    for (xcb_window_t w : mapped) {
        if (isSplash(w)) splash = w;
    }
    if (splash != 0) {
        EXPECT_TRUE(x.waitForGone(splash, 10)) << fileText(errFile());
        return;
    }
    // On a loaded machine the first window can be up before the splash
    // thread has shown anything; the splash must then never come at all.
    std::vector<xcb_window_t> later;
    x.waitForMap(1, [](xcb_window_t) { return false; }, &later);
    for (xcb_window_t w : later) EXPECT_FALSE(isSplash(w)) << "a splash was mapped after the first window";
}

TEST_F(OnXvfb, SplashNoneWhenTheSwitchIsZero) {
    layout.cpb({"replace", "splash-switch", "0"});
    auto program = start();
    std::vector<xcb_window_t> mapped;
    ASSERT_NE(x.waitForMap(30, [&](xcb_window_t w) { return isWordSelection(w); }, &mapped), 0u)
        << "stderr: " << fileText(errFile());
    x.waitForMap(1, [](xcb_window_t) { return false; }, &mapped);
    for (xcb_window_t w : mapped) EXPECT_FALSE(isSplash(w)) << "a splash window was mapped";
}

// Without a splash, the runtime's look for one to close searches no library
// directory (by the dynamic loader's own log): the stub loaded none, and a
// search by name costs some 150 failed file look-ups before the first window.
TEST_F(OnXvfb, SplashNoneSearchedForBeforeTheFirstWindowWhenTheStubLoadedNone) {
    layout.cpb({"replace", "splash-switch", "0"});
    const fs::path log = layout.root() / "loader";
    auto program = start({{"LD_DEBUG", "libs"}, {"LD_DEBUG_OUTPUT", log.string()}});
    ASSERT_NE(x.waitForMap(30, [&](xcb_window_t w) { return isWordSelection(w); }), 0u)
        << "stderr: " << fileText(errFile());
    std::string entries;
    for (const auto& entry : fs::directory_iterator(layout.root())) {
        if (entry.path().filename().string().rfind("loader.", 0) == 0) entries += fileText(entry.path());
    }
    EXPECT_NE(entries.find("find library=libQt6Widgets.so.6"), std::string::npos) << "no loader log";
    EXPECT_EQ(entries.find("find library=splashscreen.so"), std::string::npos);
}

// A fatal message takes the splash off the screen before it shows, even
// within the splash's minimum time: no splash is up when the message maps,
// and none comes later.
TEST_F(OnXvfb, SplashAFatalMessageClosesItFirst) {
    if (!fs::exists("/usr/bin/xmessage")) GTEST_SKIP() << "xmessage missing";
    fs::remove(layout.root() / "rt/kovrt/ZKRN6407.so");
    layout.cpb({"replace", "splash-value", "50"});
    auto program = start();
    std::vector<xcb_window_t> splashes;
    const xcb_window_t message = x.waitForMap(30, [&](xcb_window_t w) {
        if (isSplash(w)) splashes.push_back(w);
        return x.title(w) == layout.exe().string();
    });
    ASSERT_NE(message, 0u) << "stderr: " << fileText(errFile());
    for (xcb_window_t splash : splashes) EXPECT_TRUE(x.waitForGone(splash, 0)) << "the splash was up with the message";
    std::vector<xcb_window_t> later;
    x.waitForMap(3, [](xcb_window_t) { return false; }, &later);
    for (xcb_window_t w : later) EXPECT_FALSE(isSplash(w)) << "a splash was mapped after the message";
    EXPECT_TRUE(program->running());
}

// A start that takes long (the test runtime waits in its run entry, so
// nothing closes the splash): the player's click or the splash data's
// longest time closes it.
TEST_F(OnXvfb, SplashAClickClosesIt) {
    auto program = startWaiting();
    const xcb_window_t splash = x.waitForMap(30, [&](xcb_window_t w) { return isSplash(w); });
    ASSERT_NE(splash, 0u);
    const std::vector<std::uint32_t> state = x.cardinals(splash, "_NET_WM_STATE");
    EXPECT_NE(std::find(state.begin(), state.end(), x.atom("_NET_WM_STATE_SKIP_TASKBAR")), state.end());
    EXPECT_EQ(std::find(state.begin(), state.end(), x.atom("_NET_WM_STATE_ABOVE")), state.end());
    const WindowBox box = x.box(splash);
    const Result click = runProgram({"/usr/bin/xdotool", "mousemove", std::to_string(box.x + 4),
                                     std::to_string(box.y + 4), "click", "1"},
                                    {{"DISPLAY", x.display()}});
    ASSERT_EQ(click.status, 0) << click.err;
    EXPECT_TRUE(x.waitForGone(splash, 30));
}

TEST_F(OnXvfb, SplashDataGivesItsLongestTime) {
    layout.cpb({"replace", "splash-data", "1"});
    auto program = startWaiting();
    const xcb_window_t splash = x.waitForMap(30, [&](xcb_window_t w) { return isSplash(w); });
    ASSERT_NE(splash, 0u);
    EXPECT_TRUE(x.waitForGone(splash, 30));
}

TEST_F(OnXvfb, SplashWithoutADisplayTheProgramStillReportsItsDisplayError) {
    const Result r = runProgram({layout.exe().string()},
                                {{"PATH", "/usr/bin:/bin"}, {"HOME", layout.root().string()}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "The program needs a graphical display, but none is set (DISPLAY or WAYLAND_DISPLAY); to run without "
              "one, set QT_QPA_PLATFORM=offscreen.\n");
}

// _NET_WM_ICON: entries of width, height and that many ARGB pixels.
std::map<int, std::vector<std::uint32_t>> iconsBySize(const std::vector<std::uint32_t>& property) {
    std::map<int, std::vector<std::uint32_t>> icons;
    for (std::size_t at = 0; at + 2 <= property.size();) {
        const std::size_t w = property[at], h = property[at + 1], n = w * h;
        if (w != h || property.size() - at - 2 < n) break;
        icons[static_cast<int>(w)].assign(property.begin() + static_cast<std::ptrdiff_t>(at + 2),
                                          property.begin() + static_cast<std::ptrdiff_t>(at + 2 + n));
        at += 2 + n;
    }
    return icons;
}

TEST_F(OnXvfb, TheWindowCarriesTheProgramIconInTheThemeSizes) {
    auto program = start();
    const xcb_window_t window = x.waitForMap(30, [&](xcb_window_t w) { return isWordSelection(w); });
    ASSERT_NE(window, 0u) << "stderr: " << fileText(errFile());
    const auto icons = iconsBySize(x.cardinals(window, "_NET_WM_ICON"));
    for (int size : {16, 32, 48}) {
        ASSERT_EQ(icons.count(size), 1u) << size << " x " << size << " missing";
        const QImage expected = QImage(QStringLiteral(ICON_DIR "/hangman-%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(expected.width(), size);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < size; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(expected.constScanLine(y));
            pixels.insert(pixels.end(), row, row + size);
        }
        EXPECT_LE(largestChannelDifference(icons.at(size), pixels), 2) << size;
    }
}

}  // namespace
}  // namespace e2e
