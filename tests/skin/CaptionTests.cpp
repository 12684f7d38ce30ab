// The skinned caption: geometry, colours by activation state, non-client
// painting around the system's, title changes and system colour changes.
#include "SkinTestDialog.h"
#include "tests/harness/check.h"

namespace {

CRect ExpectedCaption(HWND window) {
    CRect w;
    ::GetWindowRect(window, &w);
    int cx = ::GetSystemMetrics(SM_CXDLGFRAME);
    int cy = ::GetSystemMetrics(SM_CYDLGFRAME);
    return CRect(cx, cy, w.Width() - cx, cy + ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER));
}

// A caption pixel that only the fill covers: the gap between the title and
// the close button.
POINT FillPoint(const SkinTestDialog& d) {
    POINT p = {d.m_rectClose.left - 1, (d.m_rectCaption.top + d.m_rectCaption.bottom) / 2};
    return p;
}

COLORREF FillPixel(SkinTestDialog& d) {
    POINT p = FillPoint(d);
    return WindowPixel(d.m_hWnd, p.x, p.y);
}

// A point of the dialog frame's left border, below the caption.
POINT BorderPoint(const SkinTestDialog& d) {
    CRect w;
    ::GetWindowRect(d.m_hWnd, &w);
    POINT p = {0, w.Height() / 2};
    return p;
}

void CheckGeometry(SkinTestDialog& d, bool withIcon) {
    REQUIRE((d.GetStyle() & WS_THICKFRAME) == 0);
    CRect expected = ExpectedCaption(d.m_hWnd);
    CHECK(CRect(CaptionRect(&d)) == expected);
    CHECK(d.m_rectCaption == expected);

    int w = expected.Width();
    int cxs = ::GetSystemMetrics(SM_CXSIZE);
    int cys = ::GetSystemMetrics(SM_CYSIZE);
    CRect close = withIcon ? CRect(w - cxs, 2, w - 2, cys - 2) : CRect(w - cxs - 2, 1, w - 2, cys - 1);
    close.OffsetRect(expected.left, expected.top);
    CHECK_NUM(d.m_rectClose.left, close.left);
    CHECK_NUM(d.m_rectClose.top, close.top);
    CHECK_NUM(d.m_rectClose.right, close.right);
    CHECK_NUM(d.m_rectClose.bottom, close.bottom);

    // The hit test follows the same rectangle.
    CHECK_NUM(d.HitTestClose(close.left, close.top), HTCLIENT);
    CHECK_NUM(d.HitTestClose(close.right - 1, close.bottom - 1), HTCLIENT);
    CHECK_NUM(d.HitTestClose(close.right, close.top), HTCAPTION);
    CHECK_NUM(d.HitTestClose(close.left - 1, close.top), HTCAPTION);

    // The caption on screen is the cached image of the current state.
    HBITMAP image = d.m_bmpCaption[d.m_bActive ? 1 : 0];
    REQUIRE(image != nullptr);
    CHECK(WindowMatchesBitmap(d.m_hWnd, d.m_rectCaption, image, d.m_rectCaption.TopLeft()));
}

}  // namespace

TEST_CASE(skin_caption_geometry_with_icon) {
    SkinTestDialog dialog(true);
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        CheckGeometry(d, true);
        // The icon sits at (2, 1) of the caption: something other than the
        // fill is drawn there.
        CRect cap = d.m_rectCaption;
        int cxs = ::GetSystemMetrics(SM_CXSIZE);
        int cys = ::GetSystemMetrics(SM_CYSIZE);
        COLORREF fill = FillPixel(d);
        int differing = 0;
        for (int y = cap.top + 1; y < cap.top + cys - 1; ++y)
            for (int x = cap.left + 2; x < cap.left + cxs; ++x)
                if (WindowPixel(d.m_hWnd, x, y) != fill) ++differing;
        CHECK(differing > 0);
    }), kBodyDone);
}

TEST_CASE(skin_caption_geometry_without_icon) {
    SkinTestDialog dialog(false);
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        CheckGeometry(d, false);
        // Without an icon the icon column holds only the fill.
        CRect cap = d.m_rectCaption;
        int cxs = ::GetSystemMetrics(SM_CXSIZE);
        COLORREF fill = FillPixel(d);
        int differing = 0;
        for (int y = cap.top; y < cap.bottom; ++y)
            for (int x = cap.left; x < cap.left + cxs + 2; ++x)
                if (WindowPixel(d.m_hWnd, x, y) != fill) ++differing;
        CHECK_NUM(differing, 0);
    }), kBodyDone);
}

TEST_CASE(skin_caption_colour_follows_activation) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        CHECK(d.SendMessage(WM_NCACTIVATE, FALSE) != 0);
        CHECK(!d.m_bActive);
        CHECK_NUM(FillPixel(d), ::GetSysColor(COLOR_INACTIVECAPTION));

        int defaults = d.defaultNcActivate;
        CHECK(d.SendMessage(WM_NCACTIVATE, TRUE) != 0);
        CHECK(d.m_bActive);
        CHECK_NUM(FillPixel(d), kActiveCaption);
        // The system recorded the activation, without painting its caption.
        CHECK_NUM(d.defaultNcActivate, defaults + 1);
        CHECK_NUM(d.defaultWhileVisible, 0);
        CHECK(d.GetStyle() & WS_VISIBLE);

        // Both images are kept; the active one has the white title.
        REQUIRE(d.m_bmpCaption[0].GetSafeHandle() && d.m_bmpCaption[1].GetSafeHandle());
        CHECK_NUM(BitmapPixel(d.m_bmpCaption[1], 0, 0), kActiveCaption);
        CHECK_NUM(BitmapPixel(d.m_bmpCaption[0], 0, 0), ::GetSysColor(COLOR_INACTIVECAPTION));
        int white = 0;
        for (int y = 0; y < d.m_rectCaption.Height(); ++y)
            for (int x = ::GetSystemMetrics(SM_CXSIZE) + 2; x < d.m_rectClose.left - d.m_rectCaption.left; ++x)
                if (BitmapPixel(d.m_bmpCaption[1], x, y) == RGB(255, 255, 255)) ++white;
        CHECK(white > 0);

        // The same state again: TRUE, nothing drawn, nothing passed on.
        FillWindowRect(d.m_hWnd, d.m_rectCaption, kMagenta);
        int paints = d.ncPaintCount;
        CHECK(d.SendMessage(WM_NCACTIVATE, TRUE) != 0);
        CHECK_NUM(FillPixel(d), kMagenta);
        CHECK_NUM(d.ncPaintCount, paints);
        CHECK_NUM(d.defaultNcActivate, defaults + 1);

        d.SendMessage(WM_NCACTIVATE, FALSE);
        CHECK_NUM(FillPixel(d), ::GetSysColor(COLOR_INACTIVECAPTION));
        CHECK_NUM(d.ncPaintCount, paints + 1);
    }), kBodyDone);
}

TEST_CASE(skin_caption_stay_active_and_disabled) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        d.SendMessage(WM_NCACTIVATE, TRUE);
        REQUIRE(d.m_bActive);

        d.m_nFlags |= WF_STAYACTIVE;
        d.SendMessage(WM_NCACTIVATE, FALSE);
        CHECK(d.m_bActive);
        CHECK_NUM(FillPixel(d), kActiveCaption);

        // A disabled window looks inactive, even when it should stay active.
        ::EnableWindow(d.m_hWnd, FALSE);
        d.SendMessage(WM_NCACTIVATE, TRUE);
        CHECK(!d.m_bActive);
        CHECK_NUM(FillPixel(d), ::GetSysColor(COLOR_INACTIVECAPTION));

        ::EnableWindow(d.m_hWnd, TRUE);
        d.m_nFlags &= ~WF_STAYACTIVE;
        d.SendMessage(WM_NCACTIVATE, TRUE);
        CHECK(d.m_bActive);
        CHECK_NUM(FillPixel(d), kActiveCaption);
    }), kBodyDone);
}

TEST_CASE(skin_ncpaint_region_missing_caption) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        CRect window;
        d.GetWindowRect(&window);
        POINT border = BorderPoint(d);
        COLORREF borderColor = WindowPixel(d.m_hWnd, border.x, border.y);
        REQUIRE(borderColor != kMagenta);

        // A region over the left border only, in screen coordinates.
        FillWindowRect(d.m_hWnd, d.m_rectCaption, kMagenta);
        FillWindowRect(d.m_hWnd, CRect(0, d.m_rectCaption.bottom + 2, 1, window.Height() - 2), kMagenta);
        HRGN region = ::CreateRectRgn(window.left, window.top + d.m_rectCaption.bottom + 2, window.left + 1,
                                      window.bottom - 2);
        int changed = d.ncPaintRecordChanged;
        d.SendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(region));
        CHECK_NUM(FillPixel(d), kMagenta);
        CHECK_NUM(WindowPixel(d.m_hWnd, border.x, border.y), borderColor);
        RECT box;
        CHECK_NUM(::GetRgnBox(region, &box), SIMPLEREGION);

        // A region that touches the caption: the borders by the system, the
        // caption from its image; the recorded wParam is put back.
        FillWindowRect(d.m_hWnd, CRect(0, d.m_rectCaption.bottom + 2, 1, window.Height() - 2), kMagenta);
        HRGN touching = ::CreateRectRgn(window.left, window.top, window.right, window.bottom);
        d.SendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(touching));
        CHECK_NUM(FillPixel(d), d.m_bActive ? kActiveCaption : ::GetSysColor(COLOR_INACTIVECAPTION));
        CHECK_NUM(WindowPixel(d.m_hWnd, border.x, border.y), borderColor);
        CHECK_NUM(::GetRgnBox(touching, &box), SIMPLEREGION);
        CHECK_NUM(d.ncPaintRecordChanged, changed);
        // The system never painted its own caption.
        CHECK_NUM(d.defaultNcPaintOverCaption, 0);

        ::DeleteObject(region);
        ::DeleteObject(touching);
    }), kBodyDone);
}

TEST_CASE(skin_ncpaint_whole_window) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        POINT border = BorderPoint(d);
        COLORREF borderColor = WindowPixel(d.m_hWnd, border.x, border.y);
        REQUIRE(borderColor != kMagenta);
        COLORREF caption = d.m_bActive ? kActiveCaption : ::GetSysColor(COLOR_INACTIVECAPTION);
        for (WPARAM whole = 0; whole <= 1; ++whole) {
            FillWindowRect(d.m_hWnd, d.m_rectCaption, kMagenta);
            FillWindowRect(d.m_hWnd, CRect(border.x, border.y, border.x + 1, border.y + 1), kMagenta);
            d.SendMessage(WM_NCPAINT, whole);
            CHECK_NUM(FillPixel(d), caption);
            CHECK_NUM(WindowPixel(d.m_hWnd, border.x, border.y), borderColor);
            HBITMAP image = d.m_bmpCaption[d.m_bActive ? 1 : 0];
            CHECK(WindowMatchesBitmap(d.m_hWnd, d.m_rectCaption, image, d.m_rectCaption.TopLeft()));
        }
        CHECK_NUM(d.ncPaintRecordChanged, 0);
        CHECK_NUM(d.defaultNcPaintOverCaption, 0);
    }), kBodyDone);
}

namespace {

// The pixels of the caption's title area along its middle row.
int TitleRow(HWND window, const SkinTestDialog& d, COLORREF* row, int capacity) {
    int y = (d.m_rectCaption.top + d.m_rectCaption.bottom) / 2;
    int from = d.m_rectCaption.left + ::GetSystemMetrics(SM_CXSIZE) + 2;
    int count = 0;
    for (int x = from; x < d.m_rectClose.left - 2 && count < capacity; ++x)
        row[count++] = WindowPixel(window, x, y);
    return count;
}

bool SameRow(const COLORREF* a, const COLORREF* b, int count) {
    for (int i = 0; i < count; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// The title row as the other activation state shows it; the state is put back.
void OtherStateRow(SkinTestDialog& d, COLORREF* row) {
    d.SendMessage(WM_NCACTIVATE, !d.m_bActive);
    TitleRow(d.m_hWnd, d, row, 2000);
    d.SendMessage(WM_NCACTIVATE, !d.m_bActive);
}

}  // namespace

TEST_CASE(skin_set_text_rebuilds_caption) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        static COLORREF before[2000], after[2000], restored[2000], otherBefore[2000], otherAfter[2000];
        int count = TitleRow(d.m_hWnd, d, before, 2000);
        REQUIRE(count > 20);
        OtherStateRow(d, otherBefore);

        int defaults = d.defaultSetText;
        d.SetWindowText("WWWW Other title WWWW");
        CString title;
        d.GetWindowText(title);
        CHECK_STR(title, "WWWW Other title WWWW");
        CHECK_NUM(d.defaultSetText, defaults + 1);
        CHECK_NUM(d.defaultWhileVisible, 0);
        CHECK(d.GetStyle() & WS_VISIBLE);

        CHECK_NUM(TitleRow(d.m_hWnd, d, after, 2000), count);
        CHECK(!SameRow(before, after, count));
        // The other state shows the new title as well.
        OtherStateRow(d, otherAfter);
        CHECK(!SameRow(otherBefore, otherAfter, count));

        d.SetWindowText("Skin test");
        TitleRow(d.m_hWnd, d, restored, 2000);
        CHECK(SameRow(before, restored, count));
    }), kBodyDone);
}

namespace {

int TitlePixels(SkinTestDialog& d, COLORREF colour) {
    int count = 0;
    for (int y = d.m_rectCaption.top; y < d.m_rectCaption.bottom; ++y)
        for (int x = d.m_rectCaption.left + ::GetSystemMetrics(SM_CXSIZE) + 2; x < d.m_rectClose.left - 2; ++x)
            if (WindowPixel(d.m_hWnd, x, y) == colour) ++count;
    return count;
}

bool CaptionFontIs(SkinTestDialog& d, const LOGFONTA& want) {
    LOGFONTA font;
    return ::GetObjectA(d.m_fontCaption.GetSafeHandle(), sizeof font, &font) == sizeof font &&
           font.lfHeight == want.lfHeight && font.lfWeight == want.lfWeight && font.lfItalic == want.lfItalic &&
           std::strcmp(font.lfFaceName, want.lfFaceName) == 0;
}

}  // namespace

// The message alone, then real changes of the system's settings as a user
// makes them: the frame on the screen follows the new inactive caption
// colours and the new caption font; the active caption keeps its own.
TEST_CASE(skin_system_colour_and_font_changes) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        REQUIRE(d.m_fontCaption.GetSafeHandle() != nullptr);
        REQUIRE(!d.m_rectCaption.IsRectEmpty());

        d.SendMessage(WM_SYSCOLORCHANGE);
        CHECK(d.m_fontCaption.GetSafeHandle() == nullptr);
        CHECK(d.m_rectCaption.IsRectEmpty());
        CHECK_NUM(d.defaultSysColorChange, 0);

        // The next caption draw makes the font and the images again.
        d.SendMessage(WM_NCPAINT, 1);
        CHECK(d.m_fontCaption.GetSafeHandle() != nullptr);
        CHECK(d.m_rectCaption == CRect(CaptionRect(&d)));
        HBITMAP image = d.m_bmpCaption[d.m_bActive ? 1 : 0];
        CHECK(WindowMatchesBitmap(d.m_hWnd, d.m_rectCaption, image, d.m_rectCaption.TopLeft()));
        CHECK(d.m_bmpCaption[d.m_bActive ? 0 : 1].GetSafeHandle() == nullptr);

        // The font follows the system caption font.
        NONCLIENTMETRICSA metrics;
        metrics.cbSize = sizeof metrics;
        REQUIRE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
        CHECK(CaptionFontIs(d, metrics.lfCaptionFont));

        // Real colour changes: the inactive caption is painted again with
        // them; the active one stays grey with a white title.
        d.SendMessage(WM_NCACTIVATE, FALSE);
        REQUIRE(!d.m_bActive);
        const int elements[5] = {COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT, COLOR_ACTIVECAPTION,
                                 COLOR_GRADIENTACTIVECAPTION, COLOR_CAPTIONTEXT};
        COLORREF saved[5];
        for (int i = 0; i < 5; ++i) saved[i] = ::GetSysColor(elements[i]);
        const COLORREF changed[5] = {RGB(20, 90, 40), RGB(250, 220, 0), RGB(120, 30, 60), RGB(30, 60, 120),
                                     RGB(0, 200, 255)};
        CHECK(TitlePixels(d, saved[1]) > 0);
        REQUIRE(::SetSysColors(5, elements, changed));
        CHECK(PumpUntil([&] { return FillPixel(d) == changed[0]; }));
        CHECK(TitlePixels(d, changed[1]) > 0);
        CHECK_NUM(TitlePixels(d, saved[1]), 0);
        d.SendMessage(WM_NCACTIVATE, TRUE);
        CHECK_NUM(FillPixel(d), kActiveCaption);
        CHECK(TitlePixels(d, RGB(255, 255, 255)) > 0);
        CHECK_NUM(TitlePixels(d, changed[4]), 0);
        d.SendMessage(WM_NCACTIVATE, FALSE);
        REQUIRE(::SetSysColors(5, elements, saved));
        CHECK(PumpUntil([&] { return FillPixel(d) == saved[0]; }));

        // A real caption font change, without a colour change. It is stored
        // in the prefix's profile, as a user's change is, so it is undone on
        // every way out.
        struct RestoredMetrics {
            SkinTestDialog& d;
            NONCLIENTMETRICSA saved;
            ~RestoredMetrics() {
                ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved,
                                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
                PumpUntil([this] { return CaptionFontIs(d, saved.lfCaptionFont); });
            }
        };
        static COLORREF before[2000], after[2000];
        int count = TitleRow(d.m_hWnd, d, before, 2000);
        NONCLIENTMETRICSA larger = metrics;
        larger.lfCaptionFont.lfHeight = metrics.lfCaptionFont.lfHeight * 3 / 2;
        larger.lfCaptionFont.lfItalic = TRUE;
        {
            RestoredMetrics restore = {d, metrics};
            REQUIRE(::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger,
                                            SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
            CHECK(PumpUntil([&] { return CaptionFontIs(d, larger.lfCaptionFont); }));
            TitleRow(d.m_hWnd, d, after, 2000);
            CHECK(!SameRow(before, after, count));
            CHECK(WindowMatchesBitmap(d.m_hWnd, d.m_rectCaption, d.m_bmpCaption[0], d.m_rectCaption.TopLeft()));
        }
        CHECK(CaptionFontIs(d, metrics.lfCaptionFont));
    }), kBodyDone);
}
