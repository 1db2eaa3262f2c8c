#include "tests/win32/screenshot.h"

#include <fstream>

namespace zarn::test {

RgbImage CaptureScreen(const RECT& area) {
    RgbImage image{area.right - area.left, area.bottom - area.top, {}};
    if (image.width <= 0 || image.height <= 0)
        return {};
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = image.width;
    format.bmiHeader.biHeight = -image.height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        copied =
            ::BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
        for (std::size_t i = 0; copied && i < count; ++i) {
            image.pixels.push_back(pixels[i * 4 + 2]);
            image.pixels.push_back(pixels[i * 4 + 1]);
            image.pixels.push_back(pixels[i * 4]);
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return copied ? image : RgbImage{};
}

bool SaveScreenshot(const RECT& area, const std::filesystem::path& file) {
    const RgbImage image = CaptureScreen(area);
    if (image.pixels.empty())
        return false;
    std::ofstream out(file, std::ios::binary);
    out << EncodePng(image);
    return static_cast<bool>(out);
}

}  // namespace zarn::test
