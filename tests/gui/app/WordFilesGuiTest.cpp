// Word-list files as the player meets them on either platform: files written
// by other programs and by the other platform's build, read by the one rule
// both runtimes share, and exports that lose no character and replace no
// file the player may not write.

#include <filesystem>

#include "AppTestSupport.h"

using apptest::AppTest;
using apptest::driver;
using Words = std::vector<rt::String>;

namespace {

// What this platform's export writes: the line separator, and the bytes of a
// list whose words all fit the platform's 8-bit code page (Windows-1252 in
// the Wine prefix the tests run in).
#ifdef _WIN32
const std::string Eol = "\r\n";
const std::string Cafe = "caf\xE9";
#else
const std::string Eol = "\n";
const std::string Cafe = "caf\xC3\xA9";
#endif

const std::string Bom = "\xEF\xBB\xBF";

std::string utf16(const rt::String& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

class WordFilesTest : public AppTest {
protected:
    Words imported(const std::string& bytes) {
        writeFile("in.txt", bytes);
        const Words seen = messagesOf([&] { importFrom("in.txt"); });
        EXPECT_EQ(seen, Words{});
        return shown();
    }
    void importWords(const Words& words) {
        std::string bytes = Bom;
        for (const auto& word : words) bytes += rt::toUtf8(word) + "\n";
        EXPECT_EQ(imported(bytes), words);
    }
};

const Words Foreign = {u"caf\u00E9", u"\u65E5\u672C", u"\U0001F600", u"na\u00EFve"};

TEST_F(WordFilesTest, Utf8WithAndWithoutAMarkAndUtf16InBothOrdersReadAsWritten) {
    EXPECT_EQ(imported("caf\xC3\xA9\n\xE6\x97\xA5\xE6\x9C\xAC\n\xF0\x9F\x98\x80\nna\xC3\xAFve\n"), Foreign);
    EXPECT_EQ(imported(Bom + "caf\xC3\xA9\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n\xF0\x9F\x98\x80\r\nna\xC3\xAFve"), Foreign);
    EXPECT_EQ(imported(utf16(u"caf\u00E9\r\n\u65E5\u672C\r\n\U0001F600\r\nna\u00EFve\r\n", false)), Foreign);
    EXPECT_EQ(imported(utf16(u"caf\u00E9\n\u65E5\u672C\n\U0001F600\nna\u00EFve", true)), Foreign);
    // The mark is no part of the first word, which is trimmed as always.
    EXPECT_EQ(imported(utf16(u"  fox \nowl", false)), Words({u"fox", u"owl"}));
}

TEST_F(WordFilesTest, BytesThatAreNotUtf8ReadAsWindows1252AndNoneIsLost) {
    EXPECT_EQ(imported("caf\xE9\r\nna\xEFve\r\n\x80uro \x93quoted\x94\r\n"),
              Words({u"caf\u00E9", u"na\u00EFve", u"\u20ACuro \u201Cquoted\u201D"}));
    // One byte that is not UTF-8 makes the whole file Windows-1252, also the
    // lines before it that would have been valid UTF-8.
    EXPECT_EQ(imported("\xC3\xA9t\xC3\xA9\nd\xE9j\xE0\n"), Words({u"\u00C3\u00A9t\u00C3\u00A9", u"d\u00E9j\u00E0"}));
    // Read and written back, every letter survives.
    imported("caf\xE9\nna\xEFve\n");
    exportTo("out.txt");
    EXPECT_EQ(readFile("out.txt"), Cafe + Eol + (Eol == "\n" ? "na\xC3\xAFve" : "na\xEFve") + Eol);
}

TEST_F(WordFilesTest, FilesExportedByEitherPlatformReadTheSameOnBoth) {
    // The Linux build: UTF-8, LF.
    EXPECT_EQ(imported("caf\xC3\xA9\n\xE6\x97\xA5\xE6\x9C\xAC\n"), Words({u"caf\u00E9", u"\u65E5\u672C"}));
    // The Windows build: Windows-1252 and CR LF where every word fits, UTF-8
    // with a mark otherwise.
    EXPECT_EQ(imported("caf\xE9\r\nna\xEFve\r\n"), Words({u"caf\u00E9", u"na\u00EFve"}));
    EXPECT_EQ(imported(Bom + "caf\xC3\xA9\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n"), Words({u"caf\u00E9", u"\u65E5\u672C"}));
}

TEST_F(WordFilesTest, ExportKeepsTheEncodingWhereEveryWordFitsAndNeverLosesACharacter) {
    importWords({u"caf\u00E9", u"na\u00EFve"});
    exportTo("fits.txt");
#ifdef _WIN32
    EXPECT_EQ(readFile("fits.txt"), "caf\xE9\r\nna\xEFve\r\n");
#else
    EXPECT_EQ(readFile("fits.txt"), "caf\xC3\xA9\nna\xC3\xAFve\n");
#endif

    importWords(Foreign);
    exportTo("foreign.txt");
#ifdef _WIN32
    EXPECT_EQ(readFile("foreign.txt"), Bom + "caf\xC3\xA9\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n\xF0\x9F\x98\x80\r\nna\xC3\xAFve\r\n");
#else
    EXPECT_EQ(readFile("foreign.txt"), "caf\xC3\xA9\n\xE6\x97\xA5\xE6\x9C\xAC\n\xF0\x9F\x98\x80\nna\xC3\xAFve\n");
#endif
    addWord(u"later");
    importFrom("foreign.txt");
    EXPECT_EQ(shown(), Foreign);
}

// Windows best-fit would write a lookalike ("a" for "ā"): a lookalike is a
// lost character too.
TEST_F(WordFilesTest, ALookalikeInTheCodePageDoesNotCountAsFitting) {
    importWords({u"M\u0101ori", u"\u0141\u00F3d\u017A"});
    exportTo("out.txt");
    addWord(u"later");
    importFrom("out.txt");
    EXPECT_EQ(shown(), Words({u"M\u0101ori", u"\u0141\u00F3d\u017A"}));
}

TEST_F(WordFilesTest, AReadOnlyFileIsNeverReplaced) {
    writeFile("locked.txt", "previous" + Eol);
    std::filesystem::permissions(path("locked.txt"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    addWord(u"new");
    const Words seen = messagesOf([&] { exportTo("locked.txt"); });
    std::filesystem::permissions(path("locked.txt"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].starts_with(u"Error opening output file " + rt::fromUtf8(path("locked.txt")) + u" ("))
        << rt::toUtf8(seen[0]);
    EXPECT_TRUE(seen[0].find(u"denied") != rt::String::npos) << rt::toUtf8(seen[0]);
    EXPECT_EQ(readFile("locked.txt"), "previous" + Eol);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(WordFilesTest, ChoosersOfferWordListsFirstAndAllFiles) {
    driver().whenFileChooserOpens(std::nullopt);
    choose(0, 0);
#ifdef _WIN32
    const Words types = {u"Word lists (*.txt)", u"All files (*.*)"};
#else
    const Words types = {u"Word lists (*.txt)", u"All files (*)"};
#endif
    EXPECT_EQ(driver().lastFileChooserTypes(), types);
    EXPECT_EQ(driver().lastFileChooserSelectedType(), u"Word lists (*.txt)");
    driver().whenFileChooserOpens(std::nullopt);
    choose(0, 1);
    EXPECT_EQ(driver().lastFileChooserTypes(), types);
    EXPECT_EQ(driver().lastFileChooserSelectedType(), u"Word lists (*.txt)");
}

TEST_F(WordFilesTest, LinesBlankAfterTrimmingAreSkippedAndOtherLinesKeptAsRead) {
    addWord(u"old");
    EXPECT_EQ(imported(" \t\n  fox \n   \n\t\nowl\n \x01 \ninner blank\n"),
              Words({u"  fox ", u"owl", u"inner blank"}));
    EXPECT_EQ(imported("fox\n  owl \n"), Words({u"fox", u"  owl "}));
}

TEST_F(WordFilesTest, AnImportThatCannotFinishReportsTheFileAndKeepsTheList) {
    addWords({u"kept", u"also"});
    const std::size_t limit = std::size_t{64} << 20;
    writeFile("huge.txt", std::string(limit + 1, 'w'));
    const Words seen = messagesOf([&] { importFrom("huge.txt"); });
    std::filesystem::remove(path("huge.txt"));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], u"Error in file input:\n" + rt::fromUtf8(path("huge.txt")) +
                           u" (File too large: a word list may hold at most 64 MB)");
    EXPECT_EQ(shown(), Words({u"kept", u"also"}));

    // Exactly at the limit it is read.
    writeFile("limit.txt", std::string(limit - 2, 'w') + "\nx");
    EXPECT_EQ(messagesOf([&] { importFrom("limit.txt"); }), Words{});
    std::filesystem::remove(path("limit.txt"));
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1], u"x");
}

#ifndef _WIN32
TEST_F(WordFilesTest, ADeviceThatNeverEndsReportsAndKeepsTheList) {
    addWords({u"kept", u"also"});
    const Words seen = messagesOf([&] {
        driver().whenFileChooserOpens(u"/dev/zero");
        choose(0, 0);
    });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], u"Error in file input:\n/dev/zero (File too large: a word list may hold at most 64 MB)");
    EXPECT_EQ(shown(), Words({u"kept", u"also"}));
}
#endif

}  // namespace
