// The 64-bit installer under wine64, as a Windows user meets it: a quiet
// install into Program Files with a Start-menu shortcut and an entry under
// installed programs, the installed program starting to its first window,
// and a quiet removal that leaves no file or registry key of its own.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/installer/MsiTables.h"
#include "tests/e2e/installer/ShellLink.h"
#include "tests/e2e/installer/WinePrefix.h"

namespace e2e {
namespace {

const fs::path Msi = fs::path(WIN64_DIR) / "hangman-win64.msi";
const char InstallDir[] = "Program Files/Hangman";
const char Program[] = "C:\\Program Files\\Hangman\\hangman.exe";

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Registry lines (values) that mention the game.
std::vector<std::string> mentions(const WinePrefix::Snapshot& s) {
    std::vector<std::string> found;
    for (const auto& [key, values] : s.keys) {
        if (lowerCase(key).find("hangman") != std::string::npos) found.push_back(key);
        for (const std::string& value : values) {
            if (lowerCase(value).find("hangman") != std::string::npos) found.push_back(key + ": " + value);
        }
    }
    return found;
}

void expectInstalled(WinePrefix& wine, const std::string& productCode) {
    for (const char* file : {"hangman.exe", "rt/kovrt/ZKRN6407.dll", "rt/bin/splashscreen.dll", "words/animals.txt",
                             "words/countries.txt", "words/fruits.txt"}) {
        const fs::path installed = wine.driveC() / InstallDir / file;
        EXPECT_TRUE(fs::is_regular_file(installed)) << file;
        EXPECT_EQ(fileText(installed), fileText(fs::path(WIN64_DIR) / file)) << file;
    }
    const auto keys = wine.snapshot().keys;
    const auto entry = keys.find("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + productCode);
    ASSERT_NE(entry, keys.end()) << "no uninstall entry";
    const auto& values = entry->second;
    EXPECT_NE(std::find(values.begin(), values.end(), "\"DisplayName\"=\"Hangman\""), values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), "\"DisplayVersion\"=\"" PROJECT_VERSION "\""), values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), "\"UninstallString\"=str(2):\"MsiExec.exe /X" + productCode + "\""),
              values.end());
    // The list of installed programs takes the icon from the installer's
    // record of the product.
    bool icon = false;
    for (const auto& [key, productValues] : keys) {
        if (key.find("\\Installer\\Products\\") == std::string::npos) continue;
        for (const std::string& v : productValues) {
            icon = icon || (v.rfind("\"ProductIcon\"=", 0) == 0 && v.find(productCode + "\\hangman.ico") != std::string::npos);
        }
    }
    EXPECT_TRUE(icon) << "no product icon";
}

// The shortcut's target is the installed program, started in its folder;
// its icon is the program's icon, which the installer keeps.
void expectShortcut(WinePrefix& wine, const std::string& productCode) {
    std::vector<fs::path> links;
    for (const auto& entry : fs::recursive_directory_iterator(wine.driveC())) {
        if (entry.path().filename() == "Hangman.lnk") links.push_back(entry.path());
    }
    ASSERT_EQ(links.size(), 1u);
    EXPECT_NE(links.front().string().find("/Start Menu/Programs/Hangman.lnk"), std::string::npos) << links.front();
    const ShellLink link = readShellLink(fileText(links.front()));
    EXPECT_EQ(link.target, Program);
    EXPECT_EQ(link.workingDirectory, "C:\\Program Files\\Hangman\\");
    EXPECT_EQ(link.iconLocation, "C:\\windows\\Installer\\" + productCode + "\\hangman.ico");
    const fs::path iconFile = wine.driveC() / "windows/Installer" / productCode / "hangman.ico";
    EXPECT_EQ(fileText(iconFile), fileText(fs::path(WIN64_DIR) / "startup/hangman.ico"));
}

void expectStartsToWordSelection(WinePrefix& wine) {
    XSession& x = wine.x();
    auto program = wine.start({Program}, wine.driveC() / InstallDir);
    const xcb_window_t window = x.waitForMap(120, [&](xcb_window_t w) { return x.title(w) == "Word Selection"; });
    EXPECT_NE(window, 0u) << wine.lastErrors();
    EXPECT_TRUE(program->running());
}

// What removal leaves: only the empty folder and keys in which Windows
// Installer keeps its records of installed products.
void expectNothingLeft(WinePrefix& wine, const WinePrefix::Snapshot& before) {
    const WinePrefix::Snapshot after = wine.snapshot();
    for (const std::string& file : after.files) {
        if (before.files.count(file) == 0) {
            EXPECT_EQ(file, "windows/Installer") << "left behind";
            EXPECT_TRUE(fs::is_empty(wine.driveC() / file)) << file;
        }
    }
    for (const auto& [key, values] : after.keys) {
        if (before.keys.count(key) != 0) continue;
        EXPECT_NE(key.find("\\Installer\\"), std::string::npos) << "left behind: " << key;
        EXPECT_TRUE(values.empty()) << key;
    }
    EXPECT_EQ(mentions(after), mentions(before));
}

TEST(Win64Installer, InstallsStartsAndUninstallsWithoutATrace) {
    WinePrefix wine;
    ASSERT_TRUE(wine.ok()) << wine.lastErrors();
    // The installer as a user downloads it, into the prefix before the
    // first look.
    copyFile(Msi, wine.driveC() / "hangman-win64.msi");
    wine.settle();
    const WinePrefix::Snapshot before = wine.snapshot();
    const std::string productCode = msi::properties(Msi).at("ProductCode");

    ASSERT_EQ(wine.run({"msiexec", "/i", "C:\\hangman-win64.msi", "/qn"}, wine.driveC(), 300), 0)
        << wine.lastErrors();
    wine.settle();
    {
        SCOPED_TRACE("installed");
        expectInstalled(wine, productCode);
        expectShortcut(wine, productCode);
        expectStartsToWordSelection(wine);
    }
    wine.settle();
    ASSERT_EQ(wine.run({"msiexec", "/x", "C:\\hangman-win64.msi", "/qn"}, wine.driveC(), 300), 0)
        << wine.lastErrors();
    wine.settle();
    SCOPED_TRACE("removed");
    expectNothingLeft(wine, before);
}

}  // namespace
}  // namespace e2e
