#pragma once

#include <memory>

#include "runtime/TextFile.h"

namespace rtwin {

std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path);
std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path);

}  // namespace rtwin
