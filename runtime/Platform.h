#pragma once

#include <memory>
#include <optional>

#include "runtime/Text.h"
#include "runtime/TextFile.h"

namespace rt {

// The platform's services beside the GUI: the program's folder, text files,
// random numbers, the console and process exit. One instance exists per
// process, handed out by the toolkit and reached through rt::platform().
class Platform {
public:
    virtual ~Platform();

    // The folder that holds the running program's executable.
    virtual String programDirectory() const = 0;

    // Text files; opening throws IoError naming the path and the reason.
    virtual std::unique_ptr<TextReader> openTextReader(const String& path) = 0;
    virtual std::unique_ptr<TextWriter> openTextWriter(const String& path) = 0;

    // Uniform double in [0, 1) from the process's one random source, seeded
    // once per process from the clock.
    virtual double nextRandom() = 0;

    // Console: write without adding a line break; read one line (nothing at
    // the end of input or on a read failure).
    virtual void writeStdout(const String& text) = 0;
    virtual std::optional<String> readStdinLine() = 0;

    // Ends the process at once with the status; no window is asked first.
    [[noreturn]] virtual void exitProcess(int status) = 0;
};

}  // namespace rt
