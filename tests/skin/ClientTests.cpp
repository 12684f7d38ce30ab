// The skinned client look: background, control colours and owner-drawn
// push buttons.
#include <vector>

#include "SkinTestDialog.h"
#include "skin_test_resource.h"
#include "tests/harness/check.h"

namespace {

const COLORREF kGrey = RGB(240, 240, 240);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

// A memory DC with a bitmap of its own, filled red.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH red = ::CreateSolidBrush(kRed);
        ::FillRect(m_dc, &all, red);
        ::DeleteObject(red);
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) all.push_back(At(x, y));
        return all;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

HBRUSH CtlColor(SkinTestDialog& d, UINT message, HDC dc, int controlId) {
    return reinterpret_cast<HBRUSH>(
        d.SendMessage(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, controlId))));
}

// A client-area pixel of a control (0: the dialog itself), read from the
// dialog's window.
COLORREF ControlPixel(SkinTestDialog& d, int controlId, int fromRight, int fromBottom) {
    HWND control = controlId ? ::GetDlgItem(d.m_hWnd, controlId) : d.m_hWnd;
    RECT client;
    ::GetClientRect(control, &client);
    POINT p = {client.right - fromRight, client.bottom - fromBottom};
    ::ClientToScreen(control, &p);
    RECT window;
    d.GetWindowRect(&window);
    return WindowPixel(d.m_hWnd, p.x - window.left, p.y - window.top);
}

void DrawButton(SkinTestDialog& d, HDC dc, UINT action, UINT state) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDOK;
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = ::GetDlgItem(d.m_hWnd, IDOK);
    item.hDC = dc;
    ::GetClientRect(item.hwndItem, &item.rcItem);
    d.SendMessage(WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&item));
}

SIZE ButtonSize(SkinTestDialog& d) {
    RECT r;
    ::GetClientRect(::GetDlgItem(d.m_hWnd, IDOK), &r);
    SIZE s = {r.right, r.bottom};
    return s;
}

}  // namespace

TEST_CASE(skin_control_colours_by_type) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        HBRUSH grey = d.m_brushBackground;
        HBRUSH listWhite = d.m_brushListBox;
        const int statics[] = {IDC_READONLY_EDIT, IDC_RADIO};
        for (int id : statics) {
            Canvas canvas(4, 4);
            ::SetTextColor(canvas.dc(), kRed);
            ::SetBkColor(canvas.dc(), RGB(0, 0, 255));
            CHECK(CtlColor(d, WM_CTLCOLORSTATIC, canvas.dc(), id) == grey);
            CHECK_NUM(::GetTextColor(canvas.dc()), RGB(0, 0, 0));
            CHECK_NUM(::GetBkColor(canvas.dc()), kGrey);
        }

        Canvas list(4, 4);
        CHECK(CtlColor(d, WM_CTLCOLORLISTBOX, list.dc(), IDC_LIST) == listWhite);

        Canvas edit(4, 4);
        HBRUSH editBrush = CtlColor(d, WM_CTLCOLOREDIT, edit.dc(), IDC_EDITABLE_EDIT);
        CHECK(editBrush != nullptr);
        CHECK(editBrush != grey);
        CHECK(editBrush != listWhite);
        CHECK(editBrush == reinterpret_cast<HBRUSH>(::DefWindowProcA(d.m_hWnd, WM_CTLCOLOREDIT,
                                                                     reinterpret_cast<WPARAM>(edit.dc()), 0)));

        // As the controls appear on screen.
        CHECK_NUM(ControlPixel(d, IDC_READONLY_EDIT, 2, 2), kGrey);
        CHECK_NUM(ControlPixel(d, IDC_EDITABLE_EDIT, 2, 2), ::GetSysColor(COLOR_WINDOW));
        CHECK_NUM(ControlPixel(d, IDC_LIST, 2, 2), kWhite);
    }), kBodyDone);
}

TEST_CASE(skin_erase_background_grey) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        Canvas canvas(8, 8);
        HRGN part = ::CreateRectRgn(2, 2, 6, 6);
        ::SelectClipRgn(canvas.dc(), part);
        ::DeleteObject(part);
        CHECK(d.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())) != 0);
        CHECK_NUM(canvas.At(2, 2), kGrey);
        CHECK_NUM(canvas.At(5, 5), kGrey);
        CHECK_NUM(canvas.At(1, 1), kRed);

        // The dialog's own client area, away from every control.
        CHECK_NUM(ControlPixel(d, 0, 3, 3), kGrey);
    }), kBodyDone);
}

TEST_CASE(skin_owner_button_pressed_shift) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        SIZE s = ButtonSize(d);
        REQUIRE(s.cx > 20 && s.cy > 8);
        const COLORREF frame = ::GetSysColor(COLOR_BTNTEXT);
        REQUIRE(frame != kWhite);
        int w = s.cx, h = s.cy;

        Canvas normal(w + 2, h + 2);
        DrawButton(d, normal.dc(), ODA_DRAWENTIRE, ODS_FOCUS);
        CHECK_NUM(normal.At(0, h / 2), frame);
        CHECK_NUM(normal.At(1, h / 2), kWhite);
        CHECK_NUM(normal.At(w - 1, h / 2), frame);
        CHECK_NUM(normal.At(w / 2, 0), frame);
        CHECK_NUM(normal.At(w / 2, 1), kWhite);
        CHECK_NUM(normal.At(w, h / 2), kRed);
        // No focus rectangle on this path: the frame's top line is whole.
        int broken = 0;
        for (int x = 0; x < w; ++x)
            if (normal.At(x, 0) != frame) ++broken;
        CHECK_NUM(broken, 0);

        Canvas pressed(w + 2, h + 2);
        DrawButton(d, pressed.dc(), ODA_DRAWENTIRE, ODS_SELECTED);
        CHECK_NUM(pressed.At(0, h / 2), kWhite);  // the fill still starts at the origin
        CHECK_NUM(pressed.At(1, h / 2), frame);
        CHECK_NUM(pressed.At(w / 2, 0), kWhite);
        CHECK_NUM(pressed.At(w / 2, 1), frame);
        CHECK_NUM(pressed.At(w, h / 2), frame);

        // The text moves with the frame: one pixel down and right.
        int black = 0, moved = 0;
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x) {
                if (normal.At(x, y) == RGB(0, 0, 0)) ++black;
                if (pressed.At(x + 1, y + 1) != normal.At(x, y)) ++moved;
            }
        CHECK(black > 0);
        CHECK_NUM(moved, 0);

        // A selection change draws the same face.
        Canvas selected(w + 2, h + 2);
        DrawButton(d, selected.dc(), ODA_SELECT, ODS_SELECTED);
        CHECK(selected.Pixels() == pressed.Pixels());
    }), kBodyDone);
}

TEST_CASE(skin_owner_button_focus_toggle) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        SIZE s = ButtonSize(d);
        Canvas canvas(s.cx, s.cy);
        DrawButton(d, canvas.dc(), ODA_DRAWENTIRE, 0);
        // A mark inside the face shows whether the face is filled again.
        ::SetPixel(canvas.dc(), 3, 3, kMagenta);
        std::vector<COLORREF> before = canvas.Pixels();

        DrawButton(d, canvas.dc(), ODA_FOCUS, ODS_FOCUS);
        CHECK(canvas.Pixels() != before);
        CHECK_NUM(canvas.At(3, 3), kMagenta);

        DrawButton(d, canvas.dc(), ODA_FOCUS, 0);
        CHECK(canvas.Pixels() == before);
    }), kBodyDone);
}
