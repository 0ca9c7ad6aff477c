// The platform services on Qt and the C library: the program's folder, text
// files, the console and process exit.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "runtime/PlatformBase.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/FileChooser.h"
#include "runtime/qt/TextFiles.h"

namespace rtqt {

namespace {

class QtPlatform final : public rt::PlatformBase {
public:
    rt::String programDirectory() const override {
        return fromQ(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    }

    std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) override { return rtqt::openTextReader(path); }
    std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) override { return rtqt::openTextWriter(path); }

    // A console that went away (a closed pipe) fails the write quietly;
    // later writes try again.
    void writeStdout(const rt::String& text) override {
        const std::string bytes = rt::toUtf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
        clearerr(stdout);
    }

    std::optional<rt::String> readStdinLine() override {
        const auto line = readInputLine();
        if (!line) return std::nullopt;
        return rt::fromUtf8(*line);
    }

    [[noreturn]] void exitProcess(int status) override {
        releaseFileChooser();
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
};

}  // namespace

rt::Platform& platformServices() {
    static QtPlatform platform;
    return platform;
}

}  // namespace rtqt
