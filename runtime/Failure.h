#pragma once

#include <stdexcept>

#include "runtime/Text.h"

namespace rt {

// A failure reported by the runtime (file I/O, visual styles). description()
// is the text shown to the user after a fixed prefix: it names what failed
// and the system's reason, e.g. "/tmp/x.txt (Permission denied)".
class Failure : public std::runtime_error {
public:
    explicit Failure(const String& description);
    ~Failure() override;
    const String& description() const noexcept { return description_; }

private:
    String description_;
};

// Opening, reading, writing or closing a text file failed.
class IoError : public Failure {
public:
    using Failure::Failure;
    ~IoError() override;
};

}  // namespace rt
