#include <gtest/gtest.h>

#include <cstring>

#include "fw/CString.h"

namespace {

TEST(CString, CopiesShareUntilWritten) {
    CString a("abc");
    CString b = a;
    b += "def";
    EXPECT_STREQ(a, "abc");
    EXPECT_STREQ(b, "abcdef");
    EXPECT_EQ(b.GetLength(), 6);
    // A buffer handed out for writing is the copy's own.
    CString c = a;
    std::strcpy(c.GetBufferSetLength(5), "wxyz");
    c.ReleaseBuffer();
    EXPECT_STREQ(a, "abc");
    EXPECT_STREQ(c, "wxyz");
    EXPECT_EQ(c.GetLength(), 4);
    c.ReleaseBuffer(2);
    EXPECT_STREQ(c, "wx");
}

TEST(CString, AppendingItselfAndSelfAssignment) {
    CString a("xy");
    a += a;
    EXPECT_STREQ(a, "xyxy");
    a = static_cast<const char*>(a) + 1;
    EXPECT_STREQ(a, "yxy");
    a = a;
    EXPECT_STREQ(a, "yxy");
}

TEST(CString, FormatFindAndSlices) {
    CString s;
    s.Format(" %02d%%", 5);
    EXPECT_STREQ(s, " 05%");
    s.Format("%s-%d", "long text to force growth beyond the first block", 123456);
    EXPECT_STREQ(s, "long text to force growth beyond the first block-123456");
    CString path("C:\\a\\b");
    EXPECT_EQ(path.Find(":\\"), 1);
    EXPECT_EQ(path.Find("zz"), -1);
    EXPECT_EQ(path.Find("\\", 3), 4);
    EXPECT_EQ(path.ReverseFind('\\'), 4);
    EXPECT_EQ(path.ReverseFind('/'), -1);
    EXPECT_STREQ(path.Mid(3), "a\\b");
    EXPECT_STREQ(path.Left(2), "C:");
    EXPECT_STREQ(path.Mid(10), "");
}

TEST(CString, EmptyStringsAndComparison) {
    CString empty;
    EXPECT_STREQ(empty, "");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(CString("a") + "b" == "ab");
    EXPECT_TRUE(CString("ab") != CString("a"));
    EXPECT_EQ(empty.GetAt(0), 0);
}

}  // namespace
