#include <gtest/gtest.h>

#include <string>

#include "payload/TextScan.h"

namespace {

std::string Take(const std::string& data, LeadBytePredicate lead = nullptr) {
    CString text = TakeTextUntilDollar(data.data(), data.size(), lead);
    return std::string(static_cast<const char*>(text), static_cast<size_t>(text.GetLength()));
}

bool HighBitLeads(unsigned char byte) { return byte >= 0x81; }

TEST(TextScan, StopsAtTheFirstDollarAndKeepsTheLineEndBeforeIt) {
    EXPECT_EQ(Take("Line one\r\nLine two\r\n$\r\n"), "Line one\r\nLine two\r\n");
    EXPECT_EQ(Take("$"), "");
    EXPECT_EQ(Take("a$b$c"), "a");
}

TEST(TextScan, WithoutDollarTheResourceSizeIsTheEnd) {
    std::string data = "no terminator here";
    // Only the first 5 bytes belong to the resource; the rest must not be read.
    CString text = TakeTextUntilDollar(data.data(), 5, nullptr);
    EXPECT_STREQ(text, "no te");
    EXPECT_EQ(Take(""), "");
}

TEST(TextScan, TwoByteCharactersAreCopiedWholeAndMayHoldADollarByte) {
    // 0x82 leads: "\x82$" is one character, not the terminator.
    EXPECT_EQ(Take(std::string("a\x82$b$tail"), HighBitLeads), std::string("a\x82$b"));
    // A lead byte cut by the end of the resource is dropped.
    EXPECT_EQ(Take(std::string("ab\x82"), HighBitLeads), "ab");
}

}  // namespace
