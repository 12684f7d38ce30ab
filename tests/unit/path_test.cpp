#include <gtest/gtest.h>

#include "engine/InstallRecord.h"
#include "engine/UninstallCommand.h"
#include "payload/LzSideFile.h"
#include "payload/PathMap.h"

namespace {

TEST(MapManifestPath, RemovesOnlyALeadingTagFolder) {
    EXPECT_STREQ(MapManifestPath("qf11_default_en\\skin\\a.dll", "qf11_default_en"), "skin\\a.dll");
    EXPECT_STREQ(MapManifestPath("qf11_default_en.txt", "qf11_default_en"), "qf11_default_en.txt");
    EXPECT_STREQ(MapManifestPath("skin\\default_en.dll", "qf11_default_en"), "skin\\default_en.dll");
    EXPECT_STREQ(MapManifestPath("x\\qf11_default_en\\a", "qf11_default_en"), "x\\qf11_default_en\\a");
    EXPECT_STREQ(MapManifestPath("qf11_default_en\\", "qf11_default_en"), "");
}

TEST(UninstallCommand, QuotesTheProgramOnlyWhenItHoldsABlank) {
    EXPECT_STREQ(UninstallCommand("C:\\Quillfen\\Quillfen 11.0"),
                 "\"C:\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\Quillfen\\Quillfen 11.0");
    EXPECT_STREQ(UninstallCommand("D:\\Apps\\QF"), "D:\\Apps\\QF\\uninstall.exe D:\\Apps\\QF");
}

TEST(LzSideFileName, ReplacesOrAddsTheExtensionsLastCharacter) {
    EXPECT_STREQ(LzSideFileName("C:\\q\\en.dll"), "C:\\q\\en.dl_");
    EXPECT_STREQ(LzSideFileName("C:\\q\\a.b"), "C:\\q\\a.b_");
    EXPECT_STREQ(LzSideFileName("C:\\q\\a.b.c"), "C:\\q\\a.b._");
    EXPECT_STREQ(LzSideFileName("C:\\q.d\\sno"), "C:\\q.d\\sno._");
}

// A record someone changed can name no file outside the installation folder.
TEST(InstallRecord, ReadsBackItsLinesAndNoPathOutsideTheFolder) {
    InstalledFile file = {770048, 0x0A1B2C3D, "skin\\default_en.dll"};
    EXPECT_STREQ(InstallRecordLine(file), "770048 0A1B2C3D skin\\default_en.dll");
    InstalledFile read = {0, 0, CString()};
    ASSERT_TRUE(ParseInstallRecordLine(InstallRecordLine(file), read));
    EXPECT_EQ(read.size, 770048u);
    EXPECT_EQ(read.crc, 0x0A1B2C3Du);
    EXPECT_STREQ(read.path, "skin\\default_en.dll");
    for (const char* line : {"1 0A1B2C3D \\Windows\\x.dll", "1 0A1B2C3D C:\\x.dll", "1 0A1B2C3D ..\\x.dll",
                             "1 0A1B2C3D skin\\..\\..\\x", "1 0A1B2C3D a\\\\b", "1 0A1B2C3D a\\", "1 0A1B2C3D .\\a",
                             "1 0A1B2C3D en.dll:stream", "1 0A1B2C3D a/../b", "1 0A1B2C3D ", "1 0A1B2C3 en.dll",
                             "x 0A1B2C3D en.dll", "1 0A1B2C3D\ten.dll"})
        EXPECT_FALSE(ParseInstallRecordLine(line, read)) << line;
}

}  // namespace
