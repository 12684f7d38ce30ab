// The caption's close button: press, drag off and back, release.
#include "SkinTestDialog.h"
#include "tests/harness/check.h"

namespace {

POINT ButtonCentre(const SkinTestDialog& d) {
    POINT p = {(d.m_rectClose.left + d.m_rectClose.right) / 2, (d.m_rectClose.top + d.m_rectClose.bottom) / 2};
    return p;
}

// A caption point well away from the button (and from the icon).
POINT CaptionPointOffButton(const SkinTestDialog& d) {
    POINT p = {(d.m_rectCaption.left + d.m_rectCaption.right) / 2, (d.m_rectCaption.top + d.m_rectCaption.bottom) / 2};
    return p;
}

LPARAM Packed(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

void Press(SkinTestDialog& d, POINT windowPoint) {
    d.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, Packed(d.ScreenPointFor(windowPoint.x, windowPoint.y)));
}

UINT HitTest(SkinTestDialog& d, POINT windowPoint) {
    return static_cast<UINT>(d.SendMessage(WM_NCHITTEST, 0, Packed(d.ScreenPointFor(windowPoint.x, windowPoint.y))));
}

void Release(SkinTestDialog& d, POINT windowPoint) {
    d.SendMessage(WM_LBUTTONUP, 0, Packed(d.ClientPointFor(windowPoint.x, windowPoint.y)));
}

// Whether the button on screen is the one in the cached caption image.
bool ButtonLooksNormal(SkinTestDialog& d) {
    return WindowMatchesBitmap(d.m_hWnd, d.m_rectClose, d.m_bmpCaption[d.m_bActive ? 1 : 0],
                               d.m_rectCaption.TopLeft());
}

}  // namespace

TEST_CASE(skin_close_release_off_button) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        REQUIRE(ButtonLooksNormal(d));
        Press(d, ButtonCentre(d));
        CHECK(::GetCapture() == d.m_hWnd);
        CHECK_NUM(d.m_nPressedHit, HTCLIENT);
        CHECK_NUM(d.m_nHoverHit, HTCLIENT);
        CHECK(!ButtonLooksNormal(d));
        CHECK_NUM(d.defaultNcLButtonDown, 0);

        CHECK_NUM(HitTest(d, CaptionPointOffButton(d)), HTCAPTION);
        CHECK_NUM(d.m_nHoverHit, HTCAPTION);
        CHECK(ButtonLooksNormal(d));

        Release(d, CaptionPointOffButton(d));
        CHECK_NUM(d.closeMessages, 0);
        CHECK(::GetCapture() == nullptr);
        CHECK_NUM(d.m_nPressedHit, 0);
        CHECK(ButtonLooksNormal(d));
        CHECK_NUM(d.defaultLButtonUp, 0);
    }), kBodyDone);
}

TEST_CASE(skin_close_release_back_on_button) {
    SkinTestDialog dialog;
    // The close message becomes the dialog's Cancel command.
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        // Pressed on the button's first pixel.
        POINT corner = {d.m_rectClose.left, d.m_rectClose.top};
        Press(d, corner);
        REQUIRE(::GetCapture() == d.m_hWnd);
        CHECK_NUM(HitTest(d, CaptionPointOffButton(d)), HTCAPTION);
        CHECK(ButtonLooksNormal(d));
        CHECK_NUM(HitTest(d, ButtonCentre(d)), HTCLIENT);
        CHECK_NUM(d.m_nHoverHit, HTCLIENT);
        CHECK(!ButtonLooksNormal(d));
        // Hovering on without a change falls back to the system's hit test.
        POINT centre = ButtonCentre(d);
        CHECK_NUM(HitTest(d, centre),
                  ::DefWindowProcA(d.m_hWnd, WM_NCHITTEST, 0, Packed(d.ScreenPointFor(centre.x, centre.y))));
        CHECK(!ButtonLooksNormal(d));

        // Released on the button's last pixel.
        POINT last = {d.m_rectClose.right - 1, d.m_rectClose.bottom - 1};
        Release(d, last);
        CHECK_NUM(d.closeMessages, 1);
        CHECK(::GetCapture() == nullptr);
        CHECK_NUM(d.m_nPressedHit, 0);
        CHECK(ButtonLooksNormal(d));
    }), IDCANCEL);
    CHECK_NUM(dialog.closeMessages, 1);
}

TEST_CASE(skin_close_release_without_capture) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        REQUIRE(::GetCapture() == nullptr);
        Release(d, ButtonCentre(d));
        CHECK_NUM(d.closeMessages, 0);
        CHECK_NUM(d.defaultLButtonUp, 0);

        // Capture taken away between press and release: nothing happens and
        // the press stays recorded until the next press.
        Press(d, ButtonCentre(d));
        REQUIRE(::GetCapture() == d.m_hWnd);
        ::ReleaseCapture();
        Release(d, ButtonCentre(d));
        CHECK_NUM(d.closeMessages, 0);
        CHECK_NUM(d.m_nPressedHit, HTCLIENT);
        CHECK_NUM(d.defaultLButtonUp, 0);

        // Without capture the hit test is the system's.
        UINT hit = HitTest(d, ButtonCentre(d));
        CHECK_NUM(hit, ::DefWindowProcA(d.m_hWnd, WM_NCHITTEST, 0,
                                        Packed(d.ScreenPointFor(ButtonCentre(d).x, ButtonCentre(d).y))));
    }), kBodyDone);
}

TEST_CASE(skin_close_press_elsewhere_in_caption) {
    SkinTestDialog dialog;
    CHECK_NUM(dialog.Run([](SkinTestDialog& d) {
        Press(d, CaptionPointOffButton(d));
        CHECK_NUM(d.defaultNcLButtonDown, 1);
        CHECK(::GetCapture() != d.m_hWnd);
        CHECK_NUM(d.m_nPressedHit, 0);
        CHECK(ButtonLooksNormal(d));

        // Just outside each edge of the button is still "elsewhere".
        const CRect& b = d.m_rectClose;
        POINT centre = ButtonCentre(d);
        const POINT outside[] = {{b.left - 1, centre.y}, {b.right, centre.y}, {centre.x, b.top - 1}, {centre.x, b.bottom}};
        int presses = 1;
        for (POINT p : outside) {
            Press(d, p);
            CHECK_NUM(d.defaultNcLButtonDown, ++presses);
            CHECK(::GetCapture() != d.m_hWnd);
        }
        CHECK_NUM(d.closeMessages, 0);
    }), kBodyDone);
}
