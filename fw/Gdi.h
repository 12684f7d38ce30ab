// Thin owners of GDI objects and device contexts. Each object deletes what it
// created; the DC classes release or end what they opened. They live on the
// stack or as members and are never deleted through a base pointer, so the
// destructors are not virtual: no vtables, no pointers to set.
#pragma once

#include <windows.h>

#include "fw/Geometry.h"

class CGdiObject {
public:
    CGdiObject() : m_hObject(nullptr) {}
    ~CGdiObject() { DeleteObject(); }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool DeleteObject();
    // Takes a stock object: never deleted.
    bool CreateStockObject(int index);

    HGDIOBJ m_hObject;

protected:
    bool Attach(HGDIOBJ object);
    bool m_bStock = false;

private:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
};

class CBrush : public CGdiObject {
public:
    CBrush() {}
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CPen : public CGdiObject {
public:
    CPen() {}
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CDC;

class CFont : public CGdiObject {
public:
    bool CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
    // lfHeight is in tenths of a point, converted with the DC's (or the
    // screen's) vertical resolution.
    bool CreatePointFontIndirect(const LOGFONTA* font, CDC* dc = nullptr);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    bool CreateCompatibleBitmap(CDC* dc, int width, int height);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CDC {
public:
    CDC() : m_hDC(nullptr), m_bOwned(false) {}
    explicit CDC(HDC dc) : m_hDC(dc), m_bOwned(false) {}
    ~CDC();

    bool CreateCompatibleDC(CDC* other);
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(CGdiObject* object) { return ::SelectObject(m_hDC, object->m_hObject); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetClipBox(RECT* rect) const { return ::GetClipBox(m_hDC, rect); }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, source->m_hDC, sx, sy, rop);
    }
    int DrawText(const char* text, int length, RECT* rect, UINT format) {
        return ::DrawTextA(m_hDC, text, length, rect, format);
    }
    BOOL Rectangle(const RECT* r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
    void DrawFocusRect(const RECT* r) { ::DrawFocusRect(m_hDC, r); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    CSize GetTextExtent(const char* text, int length) const;

    HDC m_hDC;

protected:
    bool m_bOwned;  // created here (memory DC): deleted by the destructor

private:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC();
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window) : m_hWnd(window) { m_hDC = ::GetDC(window); }
    ~CClientDC() { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); m_hDC = nullptr; }

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND window) : m_hWnd(window) { m_hDC = ::GetWindowDC(window); }
    ~CWindowDC() { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); m_hDC = nullptr; }

private:
    HWND m_hWnd;
};
