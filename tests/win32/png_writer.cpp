#include "tests/win32/png_writer.h"

#include <array>

namespace zarn::test {
namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out += type;
    out += data;
    PutBig32(out, Crc32(out, start));
}

// Deflate with the fixed codes: literals, and repeats of the byte before (distance 1).
class RunDeflater {
  public:
    std::string Compress(const std::vector<std::uint8_t>& data) {
        PutBits(1, 1);  // the last block
        PutBits(1, 2);  // fixed codes
        for (std::size_t i = 0; i < data.size();) {
            std::size_t run = 0;
            while (i > 0 && i + run < data.size() && run < 258 && data[i + run] == data[i - 1])
                ++run;
            if (run >= 3) {
                PutLength(static_cast<int>(run));
                PutCode(0, 5);  // distance 1
                i += run;
            } else {
                PutLiteral(data[i++]);
            }
        }
        PutLiteral(256);
        if (bitCount_ > 0)
            out_ += static_cast<char>(bits_);
        return out_;
    }

  private:
    void PutBits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bits_ |= ((value >> i) & 1u) << bitCount_;
            if (++bitCount_ == 8) {
                out_ += static_cast<char>(bits_);
                bits_ = 0;
                bitCount_ = 0;
            }
        }
    }
    // Huffman codes go most significant bit first.
    void PutCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            PutBits((code >> i) & 1u, 1);
    }
    void PutLiteral(int symbol) {
        if (symbol < 144)
            PutCode(0x30 + symbol, 8);
        else if (symbol < 256)
            PutCode(0x190 + symbol - 144, 9);
        else if (symbol < 280)
            PutCode(symbol - 256, 7);
        else
            PutCode(0xC0 + symbol - 280, 8);
    }
    void PutLength(int length) {
        static constexpr int kBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                        15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                        67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        int code = 28;
        while (kBase[code] > length)
            --code;
        PutLiteral(257 + code);
        PutBits(static_cast<std::uint32_t>(length - kBase[code]), kExtra[code]);
    }

    std::string out_;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
};

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

}  // namespace

std::string EncodePng(const RgbImage& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> filtered;
    filtered.reserve((stride + 1) * static_cast<std::size_t>(image.height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        filtered.push_back(2);  // each byte less the one above it
        for (std::size_t x = 0; x < stride; ++x) {
            const std::uint8_t above = y > 0 ? image.pixels[(y - 1) * stride + x] : 0;
            filtered.push_back(static_cast<std::uint8_t>(image.pixels[y * stride + x] - above));
        }
    }
    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(image.width));
    PutBig32(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no interlace
    std::string compressed = "\x78\x01";
    compressed += RunDeflater().Compress(filtered);
    PutBig32(compressed, Adler32(filtered));

    std::string png = "\x89PNG\r\n\x1A\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", "");
    return png;
}

}  // namespace zarn::test
