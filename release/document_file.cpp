#include "release/document_file.h"

#include "release/release_values.h"
#include "release/stored_names.h"

namespace zarn {
namespace {

enum class FileKind { kImages, kNonImage };

// The file name of image file 1 when the document's non-image flag fits the kind.
bool FirstImageFile(host::IReleaseData& data, FileKind kind, std::u16string& path) {
    std::shared_ptr<host::IImageFiles> images;
    if (Failed(data.GetImageFiles(images)) || !images)
        return false;
    std::int32_t containsNonImage = 0;
    if (Failed(images->GetContainsNonImageFile(containsNonImage)))
        return false;
    if (kind == FileKind::kImages ? containsNonImage != 0 : containsNonImage <= 0)
        return false;
    std::int32_t count = 0;
    if (Failed(images->GetCount(count)) || count < 1)
        return false;
    std::shared_ptr<host::IImageFile> first;
    if (Failed(images->GetItem(std::int32_t{1}, first)) || !first)
        return false;
    std::u16string name;
    if (Failed(first->GetFileName(name)))
        return false;
    path = std::move(name);
    return true;
}

bool KofaxPdfFile(host::IReleaseData& data, std::u16string& path) {
    std::u16string name;
    if (Failed(data.GetKofaxPDFFileName(name)) || name.empty())
        return false;
    path = std::move(name);
    return true;
}

// Replaces the extension of the joined path: the text from its last dot is cut unless that dot
// is the first character.
void ReplaceExtension(std::u16string& path, const std::u16string& extension) {
    std::size_t dot = path.rfind(u'.');
    if (dot != std::u16string::npos && dot != 0)
        path.erase(dot);
    if (extension.front() != u'.')
        path += u'.';
    path += extension;
}

// A release value; a missing one reads as empty, which is all the rule asks.
std::u16string ValueOrEmpty(host::IValues& values, std::u16string_view destination) {
    std::u16string text;
    return GetValue(values, std::u16string(destination), text) ? text : std::u16string();
}

}  // namespace

bool FindOriginalFile(host::IValues& values, FileSystem& files, std::u16string& path) {
    const std::u16string folder = ValueOrEmpty(values, kOriginalFolder);
    const std::u16string name = ValueOrEmpty(values, kOriginalFileName);
    const std::u16string extension = ValueOrEmpty(values, kOriginalFileNameExt);
    if (folder.empty() || name.empty())
        return false;

    std::u16string joined = folder;
    if (joined.back() != u'\\' && joined.back() != u'/')
        joined += u'\\';
    joined += name;
    if (!extension.empty())
        ReplaceExtension(joined, extension);
    if (!files.Exists(joined))
        return false;
    path = std::move(joined);
    return true;
}

std::u16string ChooseDocumentFile(host::IReleaseData& data, host::IValues& values,
                                  FileSystem& files) {
    // Each rule that finds a file replaces what the rules before it found.
    std::u16string path;
    FirstImageFile(data, FileKind::kImages, path);
    KofaxPdfFile(data, path);
    FirstImageFile(data, FileKind::kNonImage, path);
    static_cast<void>(FindOriginalFile(values, files, path));
    return path;
}

}  // namespace zarn
