// The box sizes itself to its text and places its buttons.
#include "tests/harness/check.h"
#include "tests/msgbox/BoxDriver.h"

namespace {

const char kUninstallQuestion[] =
    "The Uninstall procedure will remove  Quillfen 11.0 from your computer.  \n\n\nDo you want to continue?";
const char kUninstallLine1[] = "The Uninstall procedure will remove  Quillfen 11.0 from your computer.  ";
const char kUninstallLine4[] = "Do you want to continue?";

int Larger(int a, int b) { return a > b ? a : b; }

// The client area follows the measured block: icon column and margins around
// it, the button row below.
void CheckClientSize(const BoxSnapshot& s, int blockCx, int blockCy) {
    int buttonHeight = s.templateButton.bottom - s.templateButton.top;
    CHECK_NUM(s.client.right, ::GetSystemMetrics(SM_CXSIZE) + blockCx + 47);
    CHECK_NUM(s.client.bottom, Larger(blockCy, ::GetSystemMetrics(SM_CYSIZE)) + buttonHeight + 39);
}

// A box with `text` whose block is `lines` lines high and as wide as `widest`
// (measured with the dialog's own font).
void CheckBlock(const char* text, const char* widest, int lines) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(text, MB_OK), PressFirstButton, &s), 1);
    if (!s.seen) return;
    int lineHeight = MeasureWith(s.dialogFont, "Setup").cy;
    int widestCx = MeasureWith(s.dialogFont, widest).cx;
    CHECK_STR(s.text, text);
    CHECK_NUM(s.textExtent.cx, widestCx);
    CHECK_NUM(s.textExtent.cy, lines * lineHeight);
    CheckClientSize(s, widestCx, lines * lineHeight);
}

// The buttons shown side by side, 10 pixels apart, the row centred on the
// window's outer width and 13 pixels above the client's bottom, each as large
// as the template makes it; `second` null: the first button alone.
void CheckButtonRow(const BoxCall& call, BoxAnswer answer, int result, const char* first, const char* second) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(call, answer, &s), result);
    if (!s.seen) return;
    const int width = s.templateButton.right;
    const int row = second ? 2 * width + 10 : width;
    for (int i = 0; i < (second ? 2 : 1); ++i) {
        CHECK(s.buttonVisible[i]);
        CHECK_STR(s.buttonText[i], i ? second : first);
        CHECK_NUM(s.button[i].left, (s.window.right - s.window.left - row) / 2 + i * (width + 10));
        CHECK_NUM(s.button[i].right - s.button[i].left, width);
        CHECK_NUM(s.button[i].bottom - s.button[i].top, s.templateButton.bottom);
        CHECK_NUM(s.button[i].bottom, s.client.bottom - 13);
    }
    CHECK(s.buttonVisible[1] == (second != nullptr));
    CHECK_NUM(s.buttonTop, s.button[0].top);
}

}  // namespace

TEST_CASE(msgbox_one_line_readable_font) {
    const char text[] = "Quillfen Setup is terminated.";
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(text, MB_OK), PressFirstButton, &s), 1);
    REQUIRE(s.seen);
    // The message uses the dialogs' own 8-point face, not a tiny one.
    CHECK_NUM(s.messageFont.lfHeight, s.dialogFont.lfHeight);
    CHECK_STR(s.messageFont.lfFaceName, "MS Sans Serif");
    CHECK_NUM(s.messageFont.lfWeight, FW_NORMAL);
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    CHECK_NUM(s.messageFont.lfHeight, -::MulDiv(8, dpi, 72));
    // A line is at least as high as the 8-point characters it holds.
    CHECK(s.textExtent.cy >= ::MulDiv(8, dpi, 72));

    SIZE withDialogFont = MeasureWith(s.dialogFont, text);
    SIZE withMessageFont = MeasureWith(s.messageFont, text);
    CHECK_NUM(s.textExtent.cx, withDialogFont.cx);
    CHECK_NUM(s.textExtent.cy, withDialogFont.cy);
    CHECK_NUM(s.textExtent.cx, withMessageFont.cx);
    CHECK_NUM(s.textExtent.cy, withMessageFont.cy);
    CheckClientSize(s, withDialogFont.cx, withDialogFont.cy);

    CHECK(s.captionIcon != nullptr);
    CHECK(s.captionIcon == ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(180)));
}

TEST_CASE(msgbox_uninstall_question_is_four_lines) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kUninstallQuestion, MB_YESNO), PressSecondButton, &s), 2);
    REQUIRE(s.seen);
    SIZE first = MeasureWith(s.dialogFont, kUninstallLine1);
    SIZE last = MeasureWith(s.dialogFont, kUninstallLine4);
    CHECK_NUM(s.textExtent.cx, Larger(first.cx, last.cx));
    CHECK_NUM(s.textExtent.cy, 4 * first.cy);
    CheckClientSize(s, Larger(first.cx, last.cx), 4 * first.cy);
}

TEST_CASE(msgbox_line_feeds_at_the_ends) {
    CheckBlock("Setup is ready.\n", "Setup is ready.", 1);
    CheckBlock("Setup is ready.\n\n", "Setup is ready.", 2);
    CheckBlock("Setup is ready.\n\n\n", "Setup is ready.", 3);
    CheckBlock("\n\nSetup is ready.", "Setup is ready.", 3);
    CheckBlock("Setup\nis ready.\n\n", "is ready.", 3);
    CheckBlock("\n", "", 1);
    CheckBlock("\n\n", "", 2);
    // An empty text still leaves the icon's height for the block.
    CheckBlock("", "", 0);
}

TEST_CASE(msgbox_long_line_is_not_wrapped) {
    char text[401];
    for (int i = 0; i < 400; ++i) text[i] = static_cast<char>('a' + i % 26);
    text[400] = '\0';
    CheckBlock(text, text, 1);
}

TEST_CASE(msgbox_ok_button_centred_above_bottom) {
    CheckButtonRow(TextCall("Quillfen Setup is terminated.", MB_OK), PressFirstButton, 1, "OK", nullptr);
}

TEST_CASE(msgbox_yesno_buttons_relabelled_side_by_side) {
    CheckButtonRow(TextCall(kUninstallQuestion, MB_YESNO), PressFirstButton, 1, "Yes", "No");
}

TEST_CASE(msgbox_okcancel_buttons_keep_their_labels) {
    CheckButtonRow(TextCall("Quillfen Setup is terminated.", MB_OKCANCEL), PressSecondButton, 2, "OK", "Cancel");
}
