#pragma once

#include <windows.h>

#include <filesystem>

#include "tests/win32/png_writer.h"

namespace zarn::test {

// What the screen shows in the area (screen coordinates); empty when it cannot be read.
RgbImage CaptureScreen(const RECT& area);

// Writes what the screen shows in the area into a PNG file.
bool SaveScreenshot(const RECT& area, const std::filesystem::path& file);

}  // namespace zarn::test
