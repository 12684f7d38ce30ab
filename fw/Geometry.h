// Points, sizes and rectangles with the platform's layouts.
#pragma once

#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() { x = y = 0; }
    CPoint(int px, int py) { x = px; y = py; }
    // A point packed in a message's lParam (signed 16-bit halves).
    explicit CPoint(LPARAM packed) {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }
};

class CSize : public SIZE {
public:
    CSize() { cx = cy = 0; }
    CSize(int w, int h) { cx = w; cy = h; }
};

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    bool EqualRect(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
    bool PtInRect(POINT p) const { return ::PtInRect(this, p) != FALSE; }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { ::OffsetRect(this, p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
    bool operator==(const RECT& other) const { return EqualRect(other); }
    bool operator!=(const RECT& other) const { return !EqualRect(other); }
};
