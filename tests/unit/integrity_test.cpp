#include <gtest/gtest.h>

#include <vector>

#include "app/SilentFolder.h"
#include "payload/Crc32.h"
#include "payload/ExpandedLength.h"
#include "payload/IntegrityRecord.h"

namespace {

TEST(Crc32, StandardCheckValueAndContinuation) {
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("56789", 5, Crc32("1234", 4)), 0xCBF43926u);
}

TEST(IntegrityRecord, RoundTripAndEveryDamagedByteRejected) {
    const IntegrityEntry entries[] = {{INTEGRITY_KIND_TEXT, 101, 130, 0x12345678u},
                                      {INTEGRITY_KIND_BIN, 905, 1090, 0xCAFEF00Du}};
    std::vector<unsigned char> record(IntegrityRecordSize(2));
    EncodeIntegrityRecord(entries, 2, record.data());
    ASSERT_EQ(IntegrityRecordCount(record.data(), record.size()), 2);
    IntegrityEntry second = IntegrityRecordEntry(record.data(), 1);
    EXPECT_EQ(second.kind, INTEGRITY_KIND_BIN);
    EXPECT_EQ(second.id, 905u);
    EXPECT_EQ(second.size, 1090u);
    EXPECT_EQ(second.crc, 0xCAFEF00Du);

    for (size_t i = 0; i < record.size(); ++i) {
        std::vector<unsigned char> damaged = record;
        damaged[i] ^= 0x01;
        EXPECT_EQ(IntegrityRecordCount(damaged.data(), damaged.size()), -1) << "byte " << i;
    }
    EXPECT_EQ(IntegrityRecordCount(record.data(), record.size() - 1), -1);
}

TEST(ExpandedLength, SzddHeaderOrStoredSize) {
    unsigned char szdd[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 0x00, 0xC0, 0x0B, 0x00, 0xFF};
    EXPECT_EQ(ExpandedLength(szdd, sizeof szdd), 770048u);
    EXPECT_EQ(ExpandedLength(szdd, 13), 13u);  // too short for a header: copied as it is
    szdd[7] = 0x34;
    EXPECT_EQ(ExpandedLength(szdd, sizeof szdd), sizeof szdd);
}

TEST(SilentFolder, OnlyAbsoluteFoldersWithDriveOrShare) {
    for (const char* usable : {"C:\\", "d:\\Apps", "E:/x", "\\\\server\\share", "\\\\srv\\share\\sub"})
        EXPECT_TRUE(IsUsableSilentFolder(usable)) << usable;
    for (const char* refused : {"", "   \t", "C:", "C:Apps", "\\Apps", "Apps\\x", " C:\\x", "\\\\server",
                                "\\\\server\\", "\\\\\\share", "\\\\?\\C:\\x", "\\\\.\\C:\\x", "1:\\x"})
        EXPECT_FALSE(IsUsableSilentFolder(refused)) << "'" << refused << "'";
}

}  // namespace
