#include <gtest/gtest.h>

#include <string>

#include "payload/Manifest.h"

namespace {

ManifestTable Parse(const std::string& text) {
    ManifestTable table;
    table.fileCount = 77;  // parsing resets it
    ParseManifest(CString(text.data(), static_cast<int>(text.size())), table);
    return table;
}

void ExpectEntry(const ManifestTable& t, int i, const char* name, int size) {
    ASSERT_LT(i, t.fileCount);
    EXPECT_STREQ(t.fileNames[i], name) << "entry " << i;
    EXPECT_EQ(t.fileSizes[i], size) << "entry " << i;
}

TEST(Manifest, ShippedSixLines) {
    ManifestTable t = Parse(
        "quillfen.exe 416068\r\nskin\\default_en.dll 459772\r\nen.dll 13078\r\n"
        "qf11.ico 6696\r\nuninstall.exe 90075\r\nqf11_default_en.txt 1090\r\n");
    ASSERT_EQ(t.fileCount, 6);
    ExpectEntry(t, 0, "quillfen.exe", 416068);
    ExpectEntry(t, 1, "skin\\default_en.dll", 459772);
    ExpectEntry(t, 5, "qf11_default_en.txt", 1090);
}

// The third field: the CRC-32 of the file as installed; none reads as 0.
TEST(Manifest, CheckOfTheInstalledFile) {
    ManifestTable t = Parse("a 1 0A1B2C3D\r\nb 2\r\nc\r\n");
    ASSERT_EQ(t.fileCount, 3);
    EXPECT_EQ(t.fileChecks[0], 0x0A1B2C3Du);
    EXPECT_EQ(t.fileChecks[1], 0u);
    EXPECT_EQ(t.fileChecks[2], 0u);
    ExpectEntry(t, 0, "a", 1);
}

TEST(Manifest, EmptyTextHasNoEntries) { EXPECT_EQ(Parse("").fileCount, 0); }

TEST(Manifest, LineEndsOfEveryKindAndBlankLines) {
    ManifestTable t = Parse("a 1\nb 2\rc 3\r\n\r\n\n\rd 4\n");
    ASSERT_EQ(t.fileCount, 4);
    ExpectEntry(t, 0, "a", 1);
    ExpectEntry(t, 1, "b", 2);
    ExpectEntry(t, 2, "c", 3);
    ExpectEntry(t, 3, "d", 4);
}

TEST(Manifest, OddFieldLayouts) {
    // Path only; two spaces; a leading space; a third field.
    ManifestTable t = Parse("only\r\ntwo  12\r\n lead 9\r\nthree 5 extra\r\n");
    ASSERT_EQ(t.fileCount, 4);
    ExpectEntry(t, 0, "only", 0);
    ExpectEntry(t, 1, "two", 0);
    ExpectEntry(t, 2, "", 0);
    ExpectEntry(t, 3, "three", 5);
}

TEST(Manifest, TrailingSpaceKeepsTheEntryOpenAcrossTheLineEnd) {
    ManifestTable t = Parse("first 10 \r\nsecond 20\r\nthird 30\r\n");
    ASSERT_EQ(t.fileCount, 2);
    ExpectEntry(t, 0, "first", 10);
    ExpectEntry(t, 1, "third", 30);
}

TEST(Manifest, LastLineWithoutLineEndMakesNoEntry) {
    ManifestTable t = Parse("a 1\r\nb 2");
    ASSERT_EQ(t.fileCount, 1);
    ExpectEntry(t, 0, "a", 1);
}

TEST(Manifest, SizesConvertLikeTheCLibrary) {
    ManifestTable t = Parse("a -7\r\nb 12abc\r\nc abc\r\nd +5\r\ne 99999999999\r\n");
    ASSERT_EQ(t.fileCount, 5);
    EXPECT_EQ(t.fileSizes[0], -7);
    EXPECT_EQ(t.fileSizes[1], 12);
    EXPECT_EQ(t.fileSizes[2], 0);
    EXPECT_EQ(t.fileSizes[3], 5);
    EXPECT_EQ(t.fileSizes[4], 2147483647);  // clamped, never overflowed
}

TEST(Manifest, MoreEntriesThanSlotsKeepsTheTrueCountAndNeverWritesPastTheTable) {
    std::string text;
    for (int i = 0; i < MAX_MANIFEST_ENTRIES + 25; ++i)
        text += "file" + std::to_string(i) + " " + std::to_string(i) + "\r\n";
    ManifestTable t = Parse(text);
    EXPECT_EQ(t.fileCount, MAX_MANIFEST_ENTRIES + 25);
    ExpectEntry(t, MAX_MANIFEST_ENTRIES - 1, "file99", 99);
}

TEST(Manifest, ReparsingResetsTheCount) {
    ManifestTable t = Parse("a 1\r\nb 2\r\n");
    ParseManifest("c 3\r\n", t);
    ASSERT_EQ(t.fileCount, 1);
    ExpectEntry(t, 0, "c", 3);
}

}  // namespace
