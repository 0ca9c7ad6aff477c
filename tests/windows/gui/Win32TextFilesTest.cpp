// Text files of the Win32 runtime: the ANSI code page, CR LF written, lines
// read at LF, CR or CR LF, the target replaced only by a successful close;
// and the console.

#include <windows.h>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

#include "runtime/Failure.h"
#include "runtime/Toolkit.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<rt::String>;

std::string ansi(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

class Win32TextFilesTest : public testing::Test {
protected:
    Win32TextFilesTest() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir = fs::temp_directory_path() / ("rtfiles-" + std::to_string(stamp));
        fs::create_directory(dir);
    }
    ~Win32TextFilesTest() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    rt::String path(const std::string& name) const {
        const std::wstring wide = (dir / name).wstring();
        return rt::String(wide.begin(), wide.end());
    }
    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Lines lines(const std::string& name) const {
        auto reader = rt::platform().openTextReader(path(name));
        Lines result;
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

TEST_F(Win32TextFilesTest, LinesEndAtLfCrAndCrLfAlsoAcrossBlocks) {
    writeBytes("mix.txt", "one\ntwo\r\nthree\rfour\n\n\r\rlast");
    EXPECT_EQ(lines("mix.txt"), (Lines{u"one", u"two", u"three", u"four", u"", u"", u"", u"last"}));
    writeBytes("empty.txt", "");
    EXPECT_EQ(lines("empty.txt"), Lines{});
    const std::string first((1 << 20) - 1, 'x');
    writeBytes("split.txt", first + "\r\nnext\r");
    EXPECT_EQ(lines("split.txt"), (Lines{rt::fromUtf8(first), u"next"}));
}

TEST_F(Win32TextFilesTest, TextIsInTheAnsiCodePageBothWays) {
    const std::wstring word = L"caf\u00E9";
    writeBytes("in.txt", ansi(word) + "\r\n");
    EXPECT_EQ(lines("in.txt"), (Lines{rt::String(word.begin(), word.end())}));
    auto writer = rt::platform().openTextWriter(path("out.txt"));
    writer->writeLine(rt::String(word.begin(), word.end()));
    writer->writeLine(u"");
    writer->close();
    EXPECT_EQ(readBytes("out.txt"), ansi(word) + "\r\n\r\n");
}

// ASCII lines before the first other character are encoded with the rest:
// in the code page when every word fits it, else all in UTF-8 behind the
// mark at the file's start.
TEST_F(Win32TextFilesTest, AsciiLinesFirstFollowTheEncodingOfTheWholeText) {
    const auto written = [this](const Lines& words) {
        auto writer = rt::platform().openTextWriter(path("out.txt"));
        for (const auto& word : words) writer->writeLine(word);
        writer->close();
        return readBytes("out.txt");
    };
    EXPECT_EQ(written({u"plain", u"", u"ascii"}), "plain\r\n\r\nascii\r\n");
    EXPECT_EQ(written({u"plain", u"caf\u00E9", u"end"}), "plain\r\n" + ansi(L"caf\u00E9") + "\r\nend\r\n");
    EXPECT_EQ(written({u"plain", u"\u65E5", u"end"}), "\xEF\xBB\xBFplain\r\n\xE6\x97\xA5\r\nend\r\n");
}

TEST_F(Win32TextFilesTest, WriterReplacesTheFileOnlyWhenClosed) {
    writeBytes("out.txt", "old\r\n");
    auto writer = rt::platform().openTextWriter(path("out.txt"));
    writer->writeLine(u"new");
    EXPECT_EQ(readBytes("out.txt"), "old\r\n");
    writer->close();
    EXPECT_EQ(readBytes("out.txt"), "new\r\n");

    auto abandoned = rt::platform().openTextWriter(path("out.txt"));
    abandoned->writeLine(u"lost");
    abandoned.reset();
    EXPECT_EQ(readBytes("out.txt"), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

// Another program holding the file open (without sharing its deletion)
// keeps it from being replaced.
TEST_F(Win32TextFilesTest, FailedReplaceKeepsTheOldFileAndSaysWhy) {
    writeBytes("out.txt", "precious\r\n");
    auto writer = rt::platform().openTextWriter(path("out.txt"));
    writer->writeLine(u"replacement");
    HANDLE held = CreateFileW((dir / "out.txt").wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const rt::String failure = describe([&] { writer->close(); });
    CloseHandle(held);
    EXPECT_EQ(failure.rfind(path("out.txt") + u" (", 0), 0u) << rt::toUtf8(failure);
    EXPECT_EQ(describe([&] { writer->writeLine(u"more"); }), failure);
    EXPECT_EQ(readBytes("out.txt"), "precious\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(Win32TextFilesTest, OpeningFailuresNameThePathAndTheSystemsReason) {
    const rt::String missing = path("missing.txt");
    const rt::String described = describe([&] { rt::platform().openTextReader(missing); });
    EXPECT_EQ(described.rfind(missing + u" (", 0), 0u);
    EXPECT_GT(described.size(), missing.size() + 4);
    EXPECT_EQ(described.back(), u')');
    const rt::String folder = path("");
    EXPECT_EQ(describe([&] { rt::platform().openTextReader(folder); }), folder + u" (Is a directory)");
    EXPECT_EQ(describe([&] { rt::platform().openTextWriter(folder); }), folder + u" (Is a directory)");
    const rt::String nowhere = path("no\\such\\dir\\out.txt");
    EXPECT_EQ(describe([&] { rt::platform().openTextWriter(nowhere); }).rfind(nowhere + u" (", 0), 0u);
}

TEST_F(Win32TextFilesTest, ADeviceIsWrittenDirectly) {
    auto writer = rt::platform().openTextWriter(u"NUL");
    writer->writeLine(u"gone");
    writer->close();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 0);
}

TEST(Win32ConsoleTest, WritesWithoutALineBreakAndReadsLinesUntilTheEnd) {
    testing::internal::CaptureStdout();
    rt::platform().writeStdout(u"\nHit Enter to continue: ");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nHit Enter to continue: ");

    const fs::path input = fs::temp_directory_path() / "rtstdin.txt";
    std::ofstream(input, std::ios::binary) << "first line\r\n" + ansi(L"caf\u00E9");
    std::FILE* file = _wfopen(input.wstring().c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    const int savedStdin = _dup(0);
    _dup2(_fileno(file), 0);
    const auto first = rt::platform().readStdinLine();
    const auto second = rt::platform().readStdinLine();
    const auto end = rt::platform().readStdinLine();
    _dup2(savedStdin, 0);
    _close(savedStdin);
    std::fclose(file);
    fs::remove(input);
    EXPECT_EQ(first, u"first line");
    EXPECT_EQ(second, u"caf\u00E9");
    EXPECT_EQ(end, std::nullopt);
}

// A GUI program whose console output has no reader left goes on.
TEST(Win32ConsoleTest, WritesToAPipeWithItsReaderClosedFailQuietlyAndTheProgramGoesOn) {
    EXPECT_EXIT(
        {
            int ends[2];
            if (_pipe(ends, 4096, _O_BINARY) != 0) std::_Exit(3);
            _close(ends[0]);
            _dup2(ends[1], 1);
            _close(ends[1]);
            rt::platform().writeStdout(u"\nHit Enter to continue: ");
            rt::platform().writeStdout(std::u16string(100000, u'x'));
            std::cout << "direct" << std::endl;
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "^$");
}

}  // namespace
