#pragma once

// The splash images the tests hand to the decoder and the splash library:
// the program's own JPEG and variants of it, damaged or not.

#include <cstdint>
#include <string>
#include <vector>

namespace splashtest {

// The JPEG stored in the program's splash image block (261 x 340).
std::vector<std::uint8_t> programJpeg();

// A file beside this test program: progressive.jpg (the program's image,
// progressive) or grey.jpg (in one grey component).
std::vector<std::uint8_t> jpegBesideThisProgram(const std::string& name);

std::string besideThisProgram(const std::string& relative);

// Sets the height and width of the first baseline frame header.
void setFrameSize(std::vector<std::uint8_t>& jpeg, std::uint16_t side);

// The baseline jpeg with its one scan given scans times in a row, each
// decoding the whole image again.
std::vector<std::uint8_t> withScans(const std::vector<std::uint8_t>& jpeg, int scans);

}  // namespace splashtest
