#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarn::test {

// An 8-bit RGB picture, rows top to bottom, three bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The picture as a PNG file's bytes. Screen pictures are mostly runs of one colour and rows
// like the one above: each row is stored as its difference to the row above, and the data is
// compressed with runs only, which is small enough for them.
std::string EncodePng(const RgbImage& image);

}  // namespace zarn::test
