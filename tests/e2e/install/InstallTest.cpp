// The installed layout and the Debian package, as a user gets them: the
// files where the desktop looks for them, valid desktop entry and metainfo,
// dependencies from the linked libraries, and the program starting from
// there with its runtime and splash.

#include <gtest/gtest.h>
#include <unistd.h>


#include "tests/e2e/splash/XSession.h"

namespace e2e {
namespace {

const char AppId[] = "io.github.hangman.hangman";
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

TEST_F(Installed, KeepsTheProgramPrivateAndLinksItIntoBinAndGames) {
    for (const char* file : {"lib/hangman/hangman", "lib/hangman/rt/kovrt/ZKRN6407.so",
                             "lib/hangman/rt/bin/splashscreen.so", "lib/hangman/words/animals.txt",
                             "lib/hangman/words/countries.txt", "lib/hangman/words/fruits.txt"}) {
        EXPECT_TRUE(fs::is_regular_file(at(file))) << file;
    }
    for (const char* link : {"bin/hangman", "games/hangman"}) {
        ASSERT_TRUE(fs::is_symlink(at(link))) << link;
        EXPECT_TRUE(fs::read_symlink(at(link)).is_relative()) << link;
        EXPECT_TRUE(fs::equivalent(at(link), at("lib/hangman/hangman"))) << link;
    }
}

// The manual page and the changelog are gzip -9n streams (no name, no time
// stamp) of the texts; the manual page formats without a warning.
TEST_F(Installed, ManualPageChangelogAndCopyright) {
    for (const char* file : {"share/man/man6/hangman.6.gz", "share/doc/hangman/changelog.gz"}) {
        const std::string bytes = fileText(at(file));
        ASSERT_GE(bytes.size(), 10u) << file;
        EXPECT_EQ(bytes.substr(0, 3), std::string("\x1f\x8b\x08", 3)) << file;
        EXPECT_EQ(bytes[3], 0) << file << ": no name stored";
        EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0')) << file << ": no time stamp";
        EXPECT_EQ(bytes[8], 2) << file << ": best compression";
    }
    const Result man = runProgram({"/usr/bin/man", "--warnings", "-l", at("share/man/man6/hangman.6.gz").string()},
                                  {{"PATH", "/usr/bin:/bin"}, {"MANWIDTH", "80"}, {"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(man.status, 0) << man.err;
    EXPECT_EQ(man.err, "");
    for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "FILES", "EXIT STATUS"}) {
        EXPECT_NE(man.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;
    }
    const std::string copyright = fileText(at("share/doc/hangman/copyright"));
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
    EXPECT_NE(copyright.find("\nFiles: *\n"), std::string::npos);
}

// cmake --install --strip installs the binaries without symbols; the
// program keeps its configuration block.
TEST(StrippedInstall, BinariesCarryNoSymbols) {
    TempDir prefix;
    const Result r = runProgram(
        {CMAKE_PROGRAM, "--install", BUILD_DIR, "--strip", "--prefix", prefix.path().string()}, Plain);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const char* file : {"lib/hangman/hangman", "lib/hangman/rt/kovrt/ZKRN6407.so",
                             "lib/hangman/rt/bin/splashscreen.so"}) {
        const Result sections = runProgram({"/usr/bin/readelf", "-S", "-W", (prefix.path() / file).string()}, Plain);
        EXPECT_EQ(sections.status, 0) << sections.err;
        EXPECT_EQ(sections.out.find(".symtab"), std::string::npos) << file;
        EXPECT_EQ(sections.out.find(".debug_info"), std::string::npos) << file;
        if (fs::path(file).filename() == "hangman") {
            EXPECT_NE(sections.out.find(" .config "), std::string::npos);
        }
    }
}

TEST_F(Installed, DesktopEntryMetainfoAndThemeIconsAreValid) {
    const fs::path desktop = at(std::string("share/applications/") + AppId + ".desktop");
    const fs::path metainfo = at(std::string("share/metainfo/") + AppId + ".metainfo.xml");
    const Result entry = runProgram({"/usr/bin/desktop-file-validate", desktop.string()}, Plain);
    EXPECT_EQ(entry.status, 0) << entry.out << entry.err;
    EXPECT_EQ(entry.out + entry.err, "");
    // Not a single remark, pedantic ones included.
    const Result appstream =
        runProgram({"/usr/bin/appstreamcli", "validate", "--pedantic", "--no-net", "--no-color", metainfo.string()},
                   {{"PATH", "/usr/bin:/bin"}, {"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    EXPECT_EQ(appstream.out, "\u2714 Validation was successful.\n") << appstream.err;
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

// The package cpack makes of the build, in dir.
fs::path makePackage(const fs::path& dir) {
    const Result made = runProgram(
        {CPACK_PROGRAM, "--config", std::string(BUILD_DIR) + "/CPackConfig.cmake", "-B", dir.string()}, Plain);
    EXPECT_EQ(made.status, 0) << made.out << made.err;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".deb") return entry.path();
    }
    ADD_FAILURE() << "no package: " << made.out;
    return {};
}

TEST(Package, InstallsTheSameLayoutUnderUsrAndDependsOnTheLinkedLibraries) {
    TempDir work;
    const fs::path deb = makePackage(work.path());
    ASSERT_FALSE(deb.empty());
    const std::string depends = dpkgDeb({"-f", deb.string(), "Depends"});
    for (const char* package : {"libc6", "libjpeg62-turbo", "libqt6widgets6", "libqt6gui6", "libqt6core6", "libxcb1"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " missing from: " << depends;
    }
    // A games package puts its program in /usr/games only.
    const std::string files = dpkgDeb({"-c", deb.string()});
    for (const char* file : {"./usr/games/hangman -> ../lib/hangman/hangman", "./usr/lib/hangman/hangman",
                             "./usr/lib/hangman/rt/kovrt/ZKRN6407.so", "./usr/lib/hangman/rt/bin/splashscreen.so",
                             "./usr/lib/hangman/words/fruits.txt", "./usr/share/applications/io.github.hangman.hangman.desktop",
                             "./usr/share/metainfo/io.github.hangman.hangman.metainfo.xml",
                             "./usr/share/icons/hicolor/48x48/apps/hangman.png",
                             "./usr/share/icons/hicolor/scalable/apps/hangman.svg", "./usr/share/man/man6/hangman.6.gz",
                             "./usr/share/doc/hangman/copyright", "./usr/share/doc/hangman/changelog.gz",
                             "./usr/share/lintian/overrides/hangman"}) {
        EXPECT_NE(files.find(file), std::string::npos) << file;
    }
    EXPECT_EQ(files.find("./usr/bin/"), std::string::npos);
    // The packaged (stripped) program keeps its block and starts.
    const fs::path root = work.path() / "root";
    dpkgDeb({"-x", deb.string(), root.string()});
    fs::permissions(work.path(), fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_TRUE(startsWithSplashAndWindow(root / "usr/games/hangman", work.path()))
        << fileText(work.path() / "stderr.txt");
}

// The text between the first occurrence of before and the next after.
std::string between(const std::string& text, const std::string& before, const std::string& after) {
    const std::size_t start = text.find(before);
    if (start == std::string::npos) return "";
    const std::size_t from = start + before.size();
    return text.substr(from, text.find(after, from) - from);
}

// One version everywhere: the package, its changelog, the metainfo
// release; the fields a games package and its error dialog need.
TEST(Package, VersionsAgreeAndTheErrorDialogIsRecommended) {
    TempDir work;
    const fs::path deb = makePackage(work.path());
    ASSERT_FALSE(deb.empty());
    const std::string version = dpkgDeb({"-f", deb.string(), "Version"});
    EXPECT_EQ(version, PROJECT_VERSION "\n");
    const fs::path root = work.path() / "root";
    dpkgDeb({"-x", deb.string(), root.string()});
    const Result changelog =
        runProgram({"/bin/gzip", "-dc", (root / "usr/share/doc/hangman/changelog.gz").string()}, Plain);
    EXPECT_EQ(between(changelog.out, "hangman (", ")"), PROJECT_VERSION);
    const std::string metainfo =
        fileText(root / "usr/share/metainfo" / (std::string(AppId) + ".metainfo.xml"));
    EXPECT_EQ(between(metainfo, "<release version=\"", "\""), PROJECT_VERSION);
    EXPECT_EQ(dpkgDeb({"-f", deb.string(), "Section"}), "games\n");
    EXPECT_EQ(dpkgDeb({"-f", deb.string(), "Recommends"}), "x11-utils\n");
}

// Lintian finds no error and no warning; a Release build also carries every
// hardening feature lintian checks for.
TEST(Package, LintianReportsNoErrorOrWarning) {
    TempDir work;
    const fs::path deb = makePackage(work.path());
    ASSERT_FALSE(deb.empty());
    const fs::path report = work.path() / "lintian.txt";
    Background lintian({"/bin/sh", "-c", "exec \"$@\" >&2", "sh", "/usr/bin/lintian", "--allow-root", "--info",
                        "--fail-on", "error,warning", deb.string()},
                       {{"PATH", "/usr/bin:/bin"}, {"HOME", work.path().string()}, {"LC_ALL", "C.UTF-8"}}, report);
    EXPECT_EQ(lintian.wait(280), 0) << fileText(report);
    const std::string tags = fileText(report);
    EXPECT_EQ(tags.find("E: "), std::string::npos) << tags;
    EXPECT_EQ(tags.find("W: "), std::string::npos) << tags;
    if (std::string(BUILD_TYPE) == "Release") {
        EXPECT_EQ(tags.find("hardening-no-"), std::string::npos) << tags;
    }
}

}  // namespace
}  // namespace e2e
