// The installed layout and the Debian package, as a user gets them: the
// files where the desktop looks for them, valid desktop entry and metainfo,
// dependencies from the linked libraries, and the program starting from
// there with its runtime and splash.

#include <gtest/gtest.h>
#include <unistd.h>


#include "tests/e2e/splash/XSession.h"

namespace e2e {
namespace {

const char AppId[] = "io.github.hangman.Hangman";
const Environment Plain{{"PATH", "/usr/bin:/bin"}};

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("hangman-install-" + std::to_string(getpid()) + "-" +
                                                    std::to_string(counter_++))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

// Starts prefix/bin/hangman under Xvfb; true when its splash and then its
// "Word Selection" window are mapped.
bool startsWithSplashAndWindow(const fs::path& program, const fs::path& home) {
    XSession x(home);
    if (!x.ok()) return false;
    Background run({program.string()},
                   {{"PATH", "/usr/bin:/bin"}, {"HOME", home.string()}, {"XDG_RUNTIME_DIR", home.string()},
                    {"DISPLAY", x.display()}},
                   home / "stderr.txt");
    const xcb_window_t splash = x.waitForMap(30, [&](xcb_window_t w) { return x.wmClass(w) == "Splashscreen"; });
    const xcb_window_t window = x.waitForMap(30, [&](xcb_window_t w) { return x.title(w) == "Word Selection"; });
    return splash != 0 && window != 0 && run.running();
}

class Installed : public testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = new TempDir;
        installed_ = runProgram({CMAKE_PROGRAM, "--install", BUILD_DIR, "--prefix", prefix_->path().string()}, Plain);
    }
    static void TearDownTestSuite() { delete prefix_; }
    void SetUp() override { ASSERT_EQ(installed_.status, 0) << installed_.out << installed_.err; }
    static fs::path at(const std::string& relative) { return prefix_->path() / relative; }

    static inline TempDir* prefix_ = nullptr;
    static inline Result installed_;
};

TEST_F(Installed, KeepsTheProgramPrivateAndLinksItIntoBin) {
    for (const char* file : {"lib/hangman/hangman", "lib/hangman/rt/kovrt/ZKRN6407.so",
                             "lib/hangman/rt/bin/splashscreen.so", "lib/hangman/words/animals.txt",
                             "lib/hangman/words/countries.txt", "lib/hangman/words/fruits.txt"}) {
        EXPECT_TRUE(fs::is_regular_file(at(file))) << file;
    }
    ASSERT_TRUE(fs::is_symlink(at("bin/hangman")));
    EXPECT_TRUE(fs::read_symlink(at("bin/hangman")).is_relative());
    EXPECT_TRUE(fs::equivalent(at("bin/hangman"), at("lib/hangman/hangman")));
}

TEST_F(Installed, DesktopEntryMetainfoAndThemeIconsAreValid) {
    const fs::path desktop = at(std::string("share/applications/") + AppId + ".desktop");
    const fs::path metainfo = at(std::string("share/metainfo/") + AppId + ".metainfo.xml");
    const Result entry = runProgram({"/usr/bin/desktop-file-validate", desktop.string()}, Plain);
    EXPECT_EQ(entry.status, 0) << entry.out << entry.err;
    EXPECT_EQ(entry.out + entry.err, "");
    const Result appstream = runProgram({"/usr/bin/appstreamcli", "validate", "--no-net", metainfo.string()}, Plain);
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    for (int size : {16, 22, 24, 32, 48, 64, 96, 128, 256}) {
        const std::string dir = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(at("share/icons/hicolor/" + dir + "/apps/hangman.png"))) << dir;
    }
    EXPECT_TRUE(fs::is_regular_file(at("share/icons/hicolor/scalable/apps/hangman.svg")));
}

TEST_F(Installed, StartsThroughTheLinkWithItsRuntimeAndSplash) {
    TempDir home;
    fs::permissions(home.path(), fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_TRUE(startsWithSplashAndWindow(at("bin/hangman"), home.path()))
        << fileText(home.path() / "stderr.txt");
}

// Package fields and file list from dpkg-deb.
std::string dpkgDeb(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"/usr/bin/dpkg-deb"};
    argv.insert(argv.end(), args.begin(), args.end());
    const Result r = runProgram(argv, Plain);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

TEST(Package, InstallsTheSameLayoutUnderUsrAndDependsOnTheLinkedLibraries) {
    TempDir work;
    const Result made = runProgram({CPACK_PROGRAM, "--config", std::string(BUILD_DIR) + "/CPackConfig.cmake", "-B",
                                    work.path().string()},
                                   Plain);
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    fs::path deb;
    for (const auto& entry : fs::directory_iterator(work.path())) {
        if (entry.path().extension() == ".deb") deb = entry.path();
    }
    ASSERT_FALSE(deb.empty()) << made.out;
    const std::string depends = dpkgDeb({"-f", deb.string(), "Depends"});
    for (const char* package : {"libc6", "libjpeg62-turbo", "libqt6widgets6", "libqt6gui6", "libqt6core6", "libxcb1"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " missing from: " << depends;
    }
    const std::string files = dpkgDeb({"-c", deb.string()});
    for (const char* file : {"./usr/bin/hangman -> ../lib/hangman/hangman", "./usr/lib/hangman/hangman",
                             "./usr/lib/hangman/rt/kovrt/ZKRN6407.so", "./usr/lib/hangman/rt/bin/splashscreen.so",
                             "./usr/lib/hangman/words/fruits.txt", "./usr/share/applications/io.github.hangman.Hangman.desktop",
                             "./usr/share/metainfo/io.github.hangman.Hangman.metainfo.xml",
                             "./usr/share/icons/hicolor/48x48/apps/hangman.png",
                             "./usr/share/icons/hicolor/scalable/apps/hangman.svg"}) {
        EXPECT_NE(files.find(file), std::string::npos) << file;
    }
    // The packaged (stripped) program keeps its block and starts.
    const fs::path root = work.path() / "root";
    dpkgDeb({"-x", deb.string(), root.string()});
    fs::permissions(work.path(), fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_TRUE(startsWithSplashAndWindow(root / "usr/bin/hangman", work.path()))
        << fileText(work.path() / "stderr.txt");
}

}  // namespace
}  // namespace e2e
