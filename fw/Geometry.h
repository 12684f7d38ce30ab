// Points, sizes and rectangles with the platform's layouts. As in MFC, the
// default constructors leave the coordinates unset: nearly every one is
// filled by the system right away. Write `CRect r{}` for a zero rectangle.
#pragma once

#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int px, int py) { x = px; y = py; }
    // A point packed in a message's lParam (signed 16-bit halves).
    explicit CPoint(LPARAM packed) {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int w, int h) { cx = w; cy = h; }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
    // The rectangle functions of USER32, done here: each import costs the
    // program more than the few instructions.
    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    bool EqualRect(const RECT& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(int dx, int dy) { DeflateRect(dx, dy, -dx, -dy); }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
    bool operator==(const RECT& other) const { return EqualRect(other); }
    bool operator!=(const RECT& other) const { return !EqualRect(other); }
};
