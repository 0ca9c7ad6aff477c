#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "runtime/PlatformBase.h"

namespace {

// The shared half on its own: the services each platform adds are not used.
class BarePlatform final : public rt::PlatformBase {
public:
    using PlatformBase::readInputLine;
    rt::String programDirectory() const override { return {}; }
    std::unique_ptr<rt::TextReader> openTextReader(const rt::String&) override { return nullptr; }
    std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String&) override { return nullptr; }
    void writeStdout(const rt::String&) override {}
    std::optional<rt::String> readStdinLine() override { return std::nullopt; }
    [[noreturn]] void exitProcess(int) override { std::abort(); }
};

// Standard input read from text for the life of the object.
class InputFrom {
public:
    explicit InputFrom(const std::string& text) : text_(text), saved_(std::cin.rdbuf(text_.rdbuf())) {}
    ~InputFrom() { std::cin.rdbuf(saved_); }

private:
    std::istringstream text_;
    std::streambuf* saved_;
};

TEST(PlatformBaseTest, InputLinesLoseTheirLineEndsOnly) {
    InputFrom input("windows\r\nunix\n\r\n  spaced \nlast");
    EXPECT_EQ(BarePlatform::readInputLine(), "windows");
    EXPECT_EQ(BarePlatform::readInputLine(), "unix");
    EXPECT_EQ(BarePlatform::readInputLine(), "");
    EXPECT_EQ(BarePlatform::readInputLine(), "  spaced ");
    EXPECT_EQ(BarePlatform::readInputLine(), "last");
    EXPECT_EQ(BarePlatform::readInputLine(), std::nullopt);
}

TEST(PlatformBaseTest, ReadingGoesOnAfterTheEndOfInput) {
    {
        InputFrom empty("");
        EXPECT_EQ(BarePlatform::readInputLine(), std::nullopt);
    }
    InputFrom more("again\n");
    EXPECT_EQ(BarePlatform::readInputLine(), "again");
}

}  // namespace
