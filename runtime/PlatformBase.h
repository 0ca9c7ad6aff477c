#pragma once

#include <optional>
#include <random>
#include <string>

#include "runtime/Platform.h"

namespace rt {

// What the platforms share: the random source and reading standard input.
class PlatformBase : public Platform {
public:
    PlatformBase();

    double nextRandom() final;

protected:
    // One line of standard input as bytes, without its line end (LF or
    // CR LF); nothing at the end of input or on a read failure, after which
    // later reads try again.
    static std::optional<std::string> readInputLine();

private:
    std::mt19937_64 random_;
};

}  // namespace rt
