// The two Windows installers read statically (the 32-bit one cannot run
// here): what they install where, the Start-menu shortcut, the entry under
// installed programs, and component GUIDs that never change between
// builds; and the zips, which hold the same files.

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tests/e2e/installer/MsiTables.h"

namespace e2e {
namespace {

struct Build {
    const char* name;
    fs::path dir;
    std::string msi, zip;
    std::string platform;      // the summary's Template: platform;language
    std::string programFiles;  // the directory Program Files stands for
    std::string componentAttributes;
    // Component GUIDs by component. Windows Installer identifies a
    // component by its GUID on every machine it was installed on: a GUID
    // must stay as long as its component does, or upgrades and removal
    // leave files behind.
    std::map<std::string, std::string> guids;
};

const Build Builds[] = {
    {"Win32", WIN32_DIR, "hangman-win32.msi", "hangman-win32.zip", "Intel;1033", "ProgramFilesFolder", "0",
     {{"Program", "{08110D64-9690-5BB3-826D-85D055B76E5A}"},
      {"Runtime", "{D157F13B-895D-5EE8-8D06-58F0001CEDE5}"},
      {"Splash", "{0139A7D7-E2C0-5C41-8FA8-9723C403760D}"},
      {"WordLists", "{66278F43-09EF-5B14-98CD-4F26504BC058}"}}},
    {"Win64", WIN64_DIR, "hangman-win64.msi", "hangman-win64.zip", "x64;1033", "ProgramFiles64Folder", "256",
     {{"Program", "{DA09BA98-E631-5D53-9BAF-9801896DA651}"},
      {"Runtime", "{24E6A04E-1B76-59C6-BD21-16B897B695DA}"},
      {"Splash", "{2F91B318-5A93-5778-B983-B6B60ADA79AE}"},
      {"WordLists", "{5BEECD41-1BE4-59C6-91AB-88F2C396EA8B}"}}},
};

void PrintTo(const Build& build, std::ostream* out) { *out << build.name; }

// The word lists of the source tree, as paths below the program's folder.
std::set<std::string> wordLists() {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(WORDS_DIR)) {
        found.insert("words/" + entry.path().filename().string());
    }
    return found;
}

std::set<std::string> programFiles() {
    std::set<std::string> files = wordLists();
    files.insert({"hangman.exe", "rt/kovrt/ZKRN6407.dll", "rt/bin/splashscreen.dll"});
    return files;
}

class Installer : public testing::TestWithParam<Build> {
protected:
    fs::path msi() const { return GetParam().dir / GetParam().msi; }

    // Directory ids to their path below Program Files ("" for INSTALLDIR).
    std::map<std::string, std::string> installPaths() const {
        std::map<std::string, std::pair<std::string, std::string>> parentAndName;
        for (const msi::Row& row : msi::table(msi(), "Directory")) parentAndName[row.at(0)] = {row.at(1), row.at(2)};
        std::map<std::string, std::string> paths;
        for (const auto& [id, entry] : parentAndName) {
            std::string path;
            std::string at = id;
            while (at != "INSTALLDIR" && parentAndName.count(at)) {
                path = parentAndName[at].second + (path.empty() ? "" : "/" + path);
                at = parentAndName[at].first;
            }
            if (at == "INSTALLDIR") paths[id] = path;
        }
        return paths;
    }
};

TEST_P(Installer, InstallsTheProgramRuntimeSplashAndWordListsInProgramFiles) {
    bool found = false;
    for (const msi::Row& row : msi::table(msi(), "Directory")) {
        if (row.at(0) == "INSTALLDIR") {
            found = true;
            EXPECT_EQ(row.at(1), GetParam().programFiles);
            EXPECT_EQ(row.at(2), "Hangman");
        }
    }
    ASSERT_TRUE(found);
    std::map<std::string, std::string> directoryOfComponent;
    for (const msi::Row& row : msi::table(msi(), "Component")) directoryOfComponent[row.at(0)] = row.at(2);
    const auto paths = installPaths();
    std::set<std::string> installed;
    for (const msi::Row& row : msi::table(msi(), "File")) {
        const std::string dir = paths.at(directoryOfComponent.at(row.at(1)));
        const std::string path = (dir.empty() ? "" : dir + "/") + row.at(2);
        installed.insert(path);
        // The file as this build made it.
        EXPECT_EQ(std::stoull(row.at(3)), fs::file_size(GetParam().dir / path)) << path;
    }
    EXPECT_EQ(installed, programFiles());
}

TEST_P(Installer, StartMenuShortcutRunsTheProgramWithItsIcon) {
    const auto shortcuts = msi::table(msi(), "Shortcut");
    ASSERT_EQ(shortcuts.size(), 1u);
    const msi::Row& s = shortcuts.front();
    EXPECT_EQ(s.at(1), "ProgramMenuFolder");
    EXPECT_EQ(s.at(2), "Hangman");
    EXPECT_EQ(s.at(3), "Program");
    EXPECT_EQ(s.at(4), "[#hangman.exe]");  // not advertised: the file itself
    EXPECT_EQ(s.at(8), "hangman.ico");
    EXPECT_EQ(s.at(11), "INSTALLDIR");
    // The Icon table keeps the icon as a stream, the program's icon group.
    EXPECT_EQ(msi::stream(msi(), "Icon.hangman.ico"), fileText(GetParam().dir / "startup/hangman.ico"));
}

// Installed for all users, listed under installed programs with the icon,
// removable there (no change or repair to offer).
TEST_P(Installer, ProductForAllUsersWithItsUninstallEntry) {
    const auto p = msi::properties(msi());
    EXPECT_EQ(p.at("ProductName"), "Hangman");
    EXPECT_EQ(p.at("ProductVersion"), PROJECT_VERSION);
    EXPECT_EQ(p.at("Manufacturer"), "The Hangman developers");
    EXPECT_EQ(p.at("ALLUSERS"), "1");
    EXPECT_EQ(p.at("ARPPRODUCTICON"), "hangman.ico");
    EXPECT_EQ(p.at("ARPNOMODIFY"), "1");
    EXPECT_EQ(msi::summary(msi(), "Template"), GetParam().platform);
}

TEST_P(Installer, ComponentGuidsArePinned) {
    std::map<std::string, std::string> guids;
    for (const msi::Row& row : msi::table(msi(), "Component")) {
        guids[row.at(0)] = row.at(1);
        EXPECT_EQ(row.at(3), GetParam().componentAttributes) << row.at(0);
    }
    EXPECT_EQ(guids, GetParam().guids);
}

TEST_P(Installer, ZipHoldsTheSameFiles) {
    const Result r = runProgram({"/usr/bin/unzip", "-Z1", (GetParam().dir / GetParam().zip).string()},
                                {{"PATH", "/usr/bin:/bin"}});
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<std::string> files;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() != '/') files.insert(line);
    }
    EXPECT_EQ(files, programFiles());
}

INSTANTIATE_TEST_SUITE_P(Builds, Installer, testing::ValuesIn(Builds),
                         [](const testing::TestParamInfo<Build>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
