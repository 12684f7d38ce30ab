#include "fw/Gdi.h"

bool CGdiObject::Attach(HGDIOBJ object) {
    DeleteObject();
    m_hObject = object;
    m_bStock = false;
    return object != nullptr;
}

bool CGdiObject::DeleteObject() {
    if (!m_hObject) return false;
    bool deleted = m_bStock ? true : ::DeleteObject(m_hObject) != FALSE;
    m_hObject = nullptr;
    m_bStock = false;
    return deleted;
}

bool CGdiObject::CreateStockObject(int index) {
    DeleteObject();
    m_hObject = ::GetStockObject(index);
    m_bStock = true;
    return m_hObject != nullptr;
}

bool CFont::CreatePointFontIndirect(const LOGFONTA* font, CDC* dc) {
    LOGFONTA scaled = *font;
    HDC screen = dc ? dc->m_hDC : ::GetDC(nullptr);
    // Tenths of a point to pixels: negative heights select by character height.
    POINT height = {0, ::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), font->lfHeight, 720)};
    if (!dc) ::ReleaseDC(nullptr, screen);
    scaled.lfHeight = height.y < 0 ? height.y : -height.y;
    return CreateFontIndirect(&scaled);
}

bool CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

CDC::~CDC() {
    if (m_bOwned && m_hDC) ::DeleteDC(m_hDC);
    m_hDC = nullptr;
}

bool CDC::CreateCompatibleDC(CDC* other) {
    if (m_bOwned && m_hDC) ::DeleteDC(m_hDC);
    m_hDC = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
    m_bOwned = true;
    return m_hDC != nullptr;
}

CSize CDC::GetTextExtent(const char* text, int length) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return CSize(size.cx, size.cy);
}

CPaintDC::CPaintDC(HWND window) : m_hWnd(window) { m_hDC = ::BeginPaint(window, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
