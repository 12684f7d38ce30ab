// What the box answers, which text it shows, whom it belongs to.
#include "tests/harness/check.h"
#include "tests/msgbox/BoxDriver.h"

namespace {

const char kQuestion[] = "Do you want to exit the Setup?";

// Centres of two rectangles, allowing for the halving of odd sizes.
bool CentredOver(const RECT& inner, const RECT& outer) {
    int dx = (inner.left + inner.right) - (outer.left + outer.right);
    int dy = (inner.top + inner.bottom) - (outer.top + outer.bottom);
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A plain top-level window standing in for a page that is open.
HWND MakeActiveWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "MsgBoxTestPage";
    ::RegisterClassA(&wc);
    HWND page = ::CreateWindowExA(0, "MsgBoxTestPage", "Test page", WS_OVERLAPPEDWINDOW, 120, 90, 500, 360,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(page, SW_SHOW);
    ::SetForegroundWindow(page);
    ::SetActiveWindow(page);
    return page;
}

}  // namespace

TEST_CASE(msgbox_ok_answers) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), PressFirstButton, &s), 1);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), KeyEnter, &s), 1);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), KeyEscape, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), CloseMessage, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), SystemClose, &s), 2);
}

TEST_CASE(msgbox_yesno_answers) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), PressFirstButton, &s), 1);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), PressSecondButton, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), KeyEscape, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), CloseMessage, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), SystemClose, &s), 2);
}

TEST_CASE(msgbox_okcancel_answers) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OKCANCEL), PressFirstButton, &s), 1);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OKCANCEL), PressSecondButton, &s), 2);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OKCANCEL), KeyEscape, &s), 2);
}

TEST_CASE(msgbox_texts_from_string_table) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(IdCall(2007, MB_YESNO), PressSecondButton, &s), 2);
    CHECK_STR(s.text, "Do you want to exit the Setup?");
    if (s.seen) CHECK_NUM(s.textExtent.cx, MeasureWith(s.dialogFont, "Do you want to exit the Setup?").cx);

    CHECK_NUM(DriveBox(IdCall(1013, MB_OK), PressFirstButton, &s), 1);
    CHECK_STR(s.text, "");
    CHECK_NUM(s.textExtent.cx, 0);
    CHECK_NUM(s.client.right, ::GetSystemMetrics(SM_CXSIZE) + 47);

    CHECK_NUM(DriveBox(IdsCall(1002, 2004, MB_OK), PressFirstButton, &s), 1);
    CHECK_STR(s.text, "Quillfen 11.0 was successfully uninstalled.");
}

TEST_CASE(msgbox_owner_disabled_while_open) {
    HWND page = MakeActiveWindow();
    REQUIRE(::GetActiveWindow() == page);
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_YESNO), PressFirstButton, &s), 1);
    CHECK(s.owner == page);
    CHECK(!s.ownerEnabled);
    CHECK(::IsWindowEnabled(page));
    RECT pageRect;
    ::GetWindowRect(page, &pageRect);
    CHECK(CentredOver(s.window, pageRect));
    CHECK(!s.topmost);
    ::DestroyWindow(page);
}

TEST_CASE(msgbox_without_active_window_centred_on_work_area) {
    REQUIRE(::GetActiveWindow() == nullptr);
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK), PressFirstButton, &s), 1);
    CHECK(s.owner == nullptr);
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CHECK(CentredOver(s.window, work));
}

TEST_CASE(msgbox_topmost_flag) {
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK, 1), PressFirstButton, &s), 1);
    CHECK(s.topmost);
    CHECK_NUM(DriveBox(TextCall(kQuestion, MB_OK, 0), PressFirstButton, &s), 1);
    CHECK(!s.topmost);
}
