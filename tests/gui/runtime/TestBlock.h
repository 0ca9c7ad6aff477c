#pragma once

// A configuration block made for a loader test: the "CPB" header and the
// given records (tag, text), each padded to whole words.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kovtest {

inline std::vector<unsigned char> block(const std::vector<std::pair<std::uint32_t, std::string>>& texts,
                                        std::uint32_t version = 4) {
    std::vector<unsigned char> bytes;
    auto word = [&](std::uint32_t w) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(w >> (8 * i)));
    };
    bytes = {'C', 'P', 'B', 0};
    for (std::uint32_t w : {version, 6u, 40u, 3u, 7u, static_cast<std::uint32_t>(texts.size()), 0u, 1u}) word(w);
    for (const auto& [tag, text] : texts) {
        const auto length = static_cast<std::uint32_t>((text.size() + 4) / 4 * 4);
        word(tag);
        word(length);
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize(bytes.size() + length - text.size(), 0);
    }
    return bytes;
}

}  // namespace kovtest
