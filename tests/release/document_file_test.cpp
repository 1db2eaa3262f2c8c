#include "release/document_file.h"

#include <gtest/gtest.h>

#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "tests/support/memory_file_system.h"

namespace zarn {
namespace {

using host::sim::Document;
using host::sim::SetupRecord;
using test::MemoryFileSystem;

class DocumentFileTest : public ::testing::Test {
  protected:
    // The path chosen for the document, with the original-file links stored as the setup does.
    std::u16string Choose(FileSystem& files) {
        record->links = {
            {u"OriginalFolder", host::KFX_REL_BATCHFIELD, u"OriginalFolder"},
            {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
            {u"OriginalFileNameExt", host::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"}};
        auto data = host.MakeReleaseData(record, {}, document);
        std::shared_ptr<host::IValues> values;
        EXPECT_EQ(data->GetValues(values), kOk);
        return ChooseDocumentFile(*data, *values, files);
    }

    host::sim::SimHost host;
    std::shared_ptr<SetupRecord> record = std::make_shared<SetupRecord>();
    Document document;
    MemoryFileSystem nothing;
};

TEST_F(DocumentFileTest, ImageDocumentPrefersTheKofaxPdf) {
    document.imageFiles = {u"C:\\img\\1.tif", u"C:\\img\\2.tif"};
    EXPECT_EQ(Choose(nothing), u"C:\\img\\1.tif");
    document.kofaxPdfFileName = u"C:\\pdf\\doc.pdf";
    EXPECT_EQ(Choose(nothing), u"C:\\pdf\\doc.pdf");
}

TEST_F(DocumentFileTest, NonImageDocumentUsesItsFirstFileEvenWithAPdf) {
    document.imageFiles = {u"C:\\in\\letter.docx"};
    document.containsNonImageFile = 1;
    document.kofaxPdfFileName = u"C:\\pdf\\doc.pdf";
    EXPECT_EQ(Choose(nothing), u"C:\\in\\letter.docx");
}

TEST_F(DocumentFileTest, NegativeNonImageFlagSelectsNeitherImageRule) {
    document.imageFiles = {u"C:\\img\\1.tif"};
    document.containsNonImageFile = -1;
    EXPECT_EQ(Choose(nothing), u"");
    document.kofaxPdfFileName = u"C:\\pdf\\doc.pdf";
    EXPECT_EQ(Choose(nothing), u"C:\\pdf\\doc.pdf");
}

TEST_F(DocumentFileTest, ExistingImportedFileWinsAndMissingOneLeavesTheEarlierChoice) {
    document.imageFiles = {u"C:\\img\\1.tif"};
    document.originalFolder = u"D:\\import";
    document.originalFileName = u"scan.tif";
    document.originalFileNameExt = u"pdf";
    EXPECT_EQ(Choose(nothing), u"C:\\img\\1.tif");
    MemoryFileSystem imported;
    imported.files[u"D:\\import\\scan.pdf"] = {};
    EXPECT_EQ(Choose(imported), u"D:\\import\\scan.pdf");
}

TEST_F(DocumentFileTest, NoRuleGivesAnEmptyPath) {
    EXPECT_EQ(Choose(nothing), u"");
}

struct OriginalFileCase {
    std::u16string folder, name, extension, expected;
};

class OriginalFileTest : public DocumentFileTest,
                         public ::testing::WithParamInterface<OriginalFileCase> {};

TEST_P(OriginalFileTest, JoinsFolderNameAndExtension) {
    const OriginalFileCase& c = GetParam();
    document.originalFolder = c.folder;
    document.originalFileName = c.name;
    document.originalFileNameExt = c.extension;
    MemoryFileSystem files;
    files.files[c.expected] = {};
    EXPECT_EQ(Choose(files), c.expected);
    EXPECT_EQ(files.checkedPaths, std::vector<std::u16string>{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OriginalFileTest,
    ::testing::Values(OriginalFileCase{u"C:\\in", u"scan.tif", u"", u"C:\\in\\scan.tif"},
                      OriginalFileCase{u"C:\\in\\", u"scan.tif", u"", u"C:\\in\\scan.tif"},
                      OriginalFileCase{u"/srv/in/", u"scan.tif", u"", u"/srv/in/scan.tif"},
                      OriginalFileCase{u"C:\\in", u"scan.tif", u"pdf", u"C:\\in\\scan.pdf"},
                      OriginalFileCase{u"C:\\in", u"scan.tif", u".pdf", u"C:\\in\\scan.pdf"},
                      OriginalFileCase{u"C:\\in", u"scan", u"pdf", u"C:\\in\\scan.pdf"},
                      OriginalFileCase{u"in.box", u"scan", u"pdf", u"in.pdf"},
                      OriginalFileCase{u".", u"x", u"pdf", u".\\x.pdf"}));

TEST_F(DocumentFileTest, ImportedFileNeedsFolderAndName) {
    document.originalFolder = u"C:\\in";
    MemoryFileSystem files;
    files.files[u"C:\\in\\"] = {};
    EXPECT_EQ(Choose(files), u"");
    EXPECT_TRUE(files.checkedPaths.empty());
}

}  // namespace
}  // namespace zarn
