#pragma once

#include <cstddef>
#include <memory>

#include "runtime/TextFile.h"

namespace rtqt {

// Reads the file in blocks of blockSize bytes; the text read does not depend
// on it.
std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path, std::size_t blockSize = 1 << 20);
std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path);

}  // namespace rtqt
