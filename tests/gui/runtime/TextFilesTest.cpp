#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GuiTest.h"
#include "runtime/Failure.h"

namespace {

namespace fs = std::filesystem;

class TextFilesTest : public testing::Test {
protected:
    TextFilesTest() {
        std::string pattern = (fs::temp_directory_path() / "rtfilesXXXXXX").string();
        dir = mkdtemp(pattern.data());
    }
    ~TextFilesTest() override { fs::remove_all(dir); }

    rt::String path(const std::string& name) const { return rt::fromUtf8((dir / name).string()); }

    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }

    static std::string readBytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::vector<rt::String> lines(const std::string& name) const {
        auto reader = rt::platform().openTextReader(path(name));
        std::vector<rt::String> result;
        for (rt::String line; reader->readLine(line);) result.push_back(line);
        reader->close();
        return result;
    }

    static rt::String describe(const std::function<void()>& failing) {
        try {
            failing();
        } catch (const rt::IoError& e) {
            return e.description();
        }
        return u"no failure";
    }

    fs::path dir;
};

using Lines = std::vector<rt::String>;

TEST_F(TextFilesTest, LinesEndAtLfCrAndCrLf) {
    writeBytes("mix.txt", "one\ntwo\r\nthree\rfour\n\n\r\rlast");
    EXPECT_EQ(lines("mix.txt"), (Lines{u"one", u"two", u"three", u"four", u"", u"", u"", u"last"}));
    writeBytes("empty.txt", "");
    EXPECT_EQ(lines("empty.txt"), Lines{});
    writeBytes("crlf.txt", "a\r\n");
    EXPECT_EQ(lines("crlf.txt"), Lines{u"a"});
}

TEST_F(TextFilesTest, TerminatorsAndCharactersSplitBetweenBlocks) {
    const std::size_t block = 1 << 20;
    const std::string first(block - 1, 'x');
    writeBytes("crlf.txt", first + "\r\nnext\r");
    EXPECT_EQ(lines("crlf.txt"), (Lines{rt::fromUtf8(first), u"next"}));
    writeBytes("cr.txt", first + "\rnext");
    EXPECT_EQ(lines("cr.txt"), (Lines{rt::fromUtf8(first), u"next"}));
    writeBytes("utf8.txt", first + "\xC3\xA9\n");  // é across the boundary
    EXPECT_EQ(lines("utf8.txt"), (Lines{rt::fromUtf8(first + "\xC3\xA9")}));
}

// The end of the only line of a file, and the line's length.
TEST_F(TextFilesTest, SequenceCutOffAtABlockEndLosesNoCharacter) {
    const std::size_t block = 1 << 20;
    const auto ending = [&](const std::string& name, std::size_t size) {
        const Lines read = lines(name);
        if (read.size() != 1 || read[0].size() != size) return rt::String(u"a line of another length");
        return read[0].substr(size - 4);
    };
    // An incomplete sequence as the last byte(s) of a block, then ASCII, in
    // a file marked as UTF-8 (unmarked, it would be read as Windows-1252).
    for (const std::string open : {"\xF0", "\xF0\x9F", "\xE2", "\xC3"}) {
        writeBytes("cut.txt", "\xEF\xBB\xBF" + std::string(block - open.size(), 'x') + open + "ab\n");
        EXPECT_EQ(ending("cut.txt", block - open.size() + 3), u"x\uFFFDab") << open.size();
    }
    // A complete four-byte character split at every place across the end.
    for (std::size_t before = 1; before < 4; ++before) {
        writeBytes("split.txt", std::string(block - before, 'x') + "\xF0\x9F\x98\x80" + "z");
        EXPECT_EQ(ending("split.txt", block - before + 3), u"x\U0001F600z") << before;
    }
}

// In a file marked as UTF-8.
TEST_F(TextFilesTest, OneUndecodableSequenceGivesOneReplacementWhereverItStands) {
    const std::string mark = "\xEF\xBB\xBF";
    for (const std::string bad : {"\xC0", "\xC1", "\xF5", "\xFF", "\xF0\x9F", "\xE2\x82", "\xF4\x8F\xBF"}) {
        writeBytes("end.txt", mark + "ab" + bad);
        EXPECT_EQ(lines("end.txt"), (Lines{u"ab\uFFFD"}));
        writeBytes("line.txt", mark + "ab" + bad + "\n");
        EXPECT_EQ(lines("line.txt"), (Lines{u"ab\uFFFD"}));
        writeBytes("only.txt", mark + bad);
        EXPECT_EQ(lines("only.txt"), (Lines{u"\uFFFD"}));
    }
}

// Each line is decoded on its own: ASCII lines beside others, control
// characters that are no terminators, and a sequence that a line break cuts
// off (in a file marked as UTF-8).
TEST_F(TextFilesTest, LinesOfAsciiAndOtherTextDecodeAlike) {
    writeBytes("mixed.txt", "caf\xC3\xA9\nab\n\t\x0B\x0C\x7F\n\xE2\x82\xAC\r\nz");
    EXPECT_EQ(lines("mixed.txt"), (Lines{u"caf\u00E9", u"ab", u"\t\v\f\x7F", u"\u20AC", u"z"}));
    for (const std::string end : {"\n", "\r", "\r\n"}) {
        writeBytes("cut.txt", "\xEF\xBB\xBF" "a\xE2\x82" + end + "\x82\xAC" "b" + end + "\xC3");
        EXPECT_EQ(lines("cut.txt"), (Lines{u"a\uFFFD", u"\uFFFD\uFFFDb", u"\uFFFD"})) << end.size();
    }
}

// Counted on the bytes once the first line is read: every kind of line end
// once, the last line also without one; unknown (0) before and for UTF-16.
TEST_F(TextFilesTest, RemainingLinesBoundCountsTheLinesLeft) {
    const auto boundAfterFirstLine = [&](const std::string& bytes) {
        writeBytes("bound.txt", bytes);
        auto reader = rt::platform().openTextReader(path("bound.txt"));
        const std::size_t before = reader->remainingLinesBound();
        rt::String line;
        reader->readLine(line);
        const std::size_t bound = reader->remainingLinesBound();
        std::size_t left = 0;
        while (reader->readLine(line)) ++left;
        reader->close();
        if (bound != 0) {  // 0: not known
            EXPECT_GE(bound, left);
        }
        return before == 0 ? bound : std::size_t{999};
    };
    EXPECT_EQ(boundAfterFirstLine("a\r\nb\rc\n\nd"), 4u);
    EXPECT_EQ(boundAfterFirstLine("a\r\nb\r\n"), 2u);  // "b", and a last line that may follow
    EXPECT_EQ(boundAfterFirstLine("\xEF\xBB\xBF" "caf\xC3\xA9\r"), 1u);
    EXPECT_EQ(boundAfterFirstLine(std::string("\xFF\xFE" "a\0\n\0b\0", 8)), 0u);
}

TEST_F(TextFilesTest, ByteOrderMarkAtTheStartIsSkipped) {
    writeBytes("bom.txt", "\xEF\xBB\xBF" "fox\n\xEF\xBB\xBF" "owl\n");
    EXPECT_EQ(lines("bom.txt"), (Lines{u"fox", u"\uFEFFowl"}));
    writeBytes("only.txt", "\xEF\xBB\xBF");
    EXPECT_EQ(lines("only.txt"), Lines{});
}

TEST_F(TextFilesTest, UndecodableBytesOfAFileMarkedAsUtf8BecomeReplacementCharacters) {
    writeBytes("bad.txt", "\xEF\xBB\xBF" "ab\xFF" "cd\nok\n\xE2\x82");
    const Lines read = lines("bad.txt");
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0], u"ab\uFFFDcd");
    EXPECT_EQ(read[1], u"ok");
    EXPECT_EQ(read[2], u"\uFFFD");
}

TEST_F(TextFilesTest, OpeningFailuresNameThePathAndTheReason) {
    const rt::String missing = path("missing.txt");
    EXPECT_EQ(describe([&] { rt::platform().openTextReader(missing); }), missing + u" (No such file or directory)");
    const rt::String folder = rt::fromUtf8(dir.string());
    EXPECT_EQ(describe([&] { rt::platform().openTextReader(folder); }), folder + u" (Is a directory)");
    EXPECT_EQ(describe([&] { rt::platform().openTextWriter(folder); }), folder + u" (Is a directory)");
    const rt::String nowhere = path("no/such/dir/out.txt");
    EXPECT_NE(describe([&] { rt::platform().openTextWriter(nowhere); }).find(nowhere + u" ("), rt::String::npos);
}

TEST_F(TextFilesTest, WriterReplacesTheFileOnlyWhenClosed) {
    writeBytes("out.txt", "old\n");
    auto writer = rt::platform().openTextWriter(path("out.txt"));
    writer->writeLine(u"new");
    writer->writeLine(u"caf\u00E9");
    EXPECT_EQ(readBytes(dir / "out.txt"), "old\n");
    writer->close();
    EXPECT_EQ(readBytes(dir / "out.txt"), "new\ncaf\xC3\xA9\n");

    auto abandoned = rt::platform().openTextWriter(path("out.txt"));
    abandoned->writeLine(u"lost");
    abandoned.reset();
    EXPECT_EQ(readBytes(dir / "out.txt"), "new\ncaf\xC3\xA9\n");
}

TEST_F(TextFilesTest, FailedCloseKeepsTheOldFile) {
    fs::create_directory(dir / "sub");
    writeBytes("sub/out.txt", "precious\n");
    auto writer = rt::platform().openTextWriter(path("sub/out.txt"));
    writer->writeLine(u"replacement");
    fs::rename(dir / "sub", dir / "moved");
    EXPECT_NE(describe([&] { writer->close(); }).find(path("sub/out.txt") + u" ("), rt::String::npos);
    EXPECT_EQ(readBytes(dir / "moved" / "out.txt"), "precious\n");
}

TEST_F(TextFilesTest, FailedWriteIsReported) {
    struct stat info {};
    if (stat("/dev/full", &info) != 0 || !S_ISCHR(info.st_mode)) GTEST_SKIP() << "no /dev/full here";
    auto writer = rt::platform().openTextWriter(u"/dev/full");
    EXPECT_EQ(describe([&] { writer->writeLine(u"does not fit"); }), u"/dev/full (No space left on device)");
    EXPECT_EQ(describe([&] { writer->close(); }), u"/dev/full (No space left on device)");
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

}  // namespace

namespace {

TEST(ConsoleTest, WritesWithoutALineBreakAndReadsLinesUntilTheEnd) {
    testing::internal::CaptureStdout();
    rt::platform().writeStdout(u"\nHit Enter to continue: ");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nHit Enter to continue: ");

    std::string pattern = (std::filesystem::temp_directory_path() / "rtstdinXXXXXX").string();
    const int file = mkstemp(pattern.data());
    ASSERT_GE(file, 0);
    const std::string input = "first line\r\ncaf\xC3\xA9";
    ASSERT_EQ(write(file, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    lseek(file, 0, SEEK_SET);
    const int savedStdin = dup(0);
    dup2(file, 0);
    const auto first = rt::platform().readStdinLine();
    const auto second = rt::platform().readStdinLine();
    const auto end = rt::platform().readStdinLine();
    dup2(savedStdin, 0);
    close(savedStdin);
    close(file);
    std::filesystem::remove(pattern);
    EXPECT_EQ(first, u"first line");
    EXPECT_EQ(second, u"caf\u00E9");
    EXPECT_EQ(end, std::nullopt);
}

}  // namespace
