#pragma once

#include <string>

#include "common/file_system.h"
#include "host/capture_host.h"

namespace zarn {

// Chooses the path of the document's file. Four rules run in order and each that succeeds
// replaces the choice before it: the first image file of an image document, the Kofax PDF
// file, the first file of a document holding a non-image file, and the originally imported
// file. Empty when none succeeds.
std::u16string ChooseDocumentFile(host::IReleaseData& data, host::IValues& values,
                                  FileSystem& files);

// The originally imported file: folder, name and extension from the release values
// "OriginalFolder", "OriginalFileName" and "OriginalFileNameExt". True only when the file exists.
[[nodiscard]] bool FindOriginalFile(host::IValues& values, FileSystem& files, std::u16string& path);

}  // namespace zarn
