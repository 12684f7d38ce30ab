#include "fw/CWnd.h"

namespace {

const char kObjectProperty[] = "QuillfenWindowObject";

// The program runs all its windows on one thread: this is its record.
AFX_THREAD_MESSAGE t_message = {nullptr, 0, 0, 0};

// Wrappers for windows without an object of their own; each lives until
// eight more have been handed out.
CWnd* TemporaryWrapper(HWND window) {
    static CWnd wrappers[8];
    static int next = 0;
    CWnd* wrapper = &wrappers[next];
    next = (next + 1) % 8;
    wrapper->m_hWnd = window;
    return wrapper;
}

}  // namespace

AFX_THREAD_MESSAGE* AfxGetThreadMessage() { return &t_message; }

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    if (m_pfnSuper && m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? static_cast<CWnd*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

CWnd* CWnd::FromHandle(HWND window) {
    if (!window) return nullptr;
    CWnd* bound = FromHandlePermanent(window);
    return bound ? bound : TemporaryWrapper(window);
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || m_pfnSuper) return false;
    m_hWnd = window;
    ::SetPropA(window, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    return true;
}

void CWnd::Detach() {
    if (m_hWnd) ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = FromHandlePermanent(window);
    if (!object) return ::DefWindowProcA(window, message, wParam, lParam);
    AFX_THREAD_MESSAGE saved = t_message;
    t_message = {window, message, wParam, lParam};
    LRESULT result = object->WindowProc(message, wParam, lParam);
    t_message = saved;
    if (message == WM_NCDESTROY) object->Detach();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const AFX_THREAD_MESSAGE& current = t_message;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, Sig_v_v, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nMessage; ++entry)
            if (entry->nMessage == message && entry->nCode == code && entry->nID == id) return entry;
    return nullptr;
}

}  // namespace

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    UINT code = 0;
    UINT id = 0;
    UINT listedAs = message;
    UINT ctlColor = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        listedAs = WM_CTLCOLOR;
        ctlColor = message - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), listedAs, code, id);
    if (!entry) return false;

    AFX_PMSG pfn = entry->pfn;
    LRESULT r = 0;
    switch (entry->nSig) {
    case Sig_v_v:
        (this->*pfn)();
        break;
    case Sig_b_v:
        r = (this->*reinterpret_cast<BOOL (CWnd::*)()>(pfn))();
        break;
    case Sig_b_b:
        r = (this->*reinterpret_cast<BOOL (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case Sig_b_D: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        r = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(&dc);
        break;
    }
    case Sig_v_u_p:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case Sig_u_p:
        r = (this->*reinterpret_cast<UINT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
        break;
    case Sig_hbr_D_W_u: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
        r = reinterpret_cast<LRESULT>(
            (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(&dc, control, ctlColor));
        break;
    }
    case Sig_v_i_s:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case Sig_v_u_l:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case Sig_h_v:
        r = reinterpret_cast<LRESULT>((this->*reinterpret_cast<HCURSOR (CWnd::*)()>(pfn))());
        break;
    case Sig_l_w_l:
        r = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    }
    *result = r;
    return true;
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    text.ReleaseBuffer(::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1));
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->right));
}

void CWnd::CalcWindowRect(RECT* rect) const {
    ::AdjustWindowRectEx(rect, GetStyle(), FALSE, GetExStyle() & ~WS_EX_CLIENTEDGE);
}

namespace {

// Where a window of `size` starts when centred on from..to, kept inside
// low..high (at low when it cannot fit).
int CentredWithin(int from, int to, int size, int low, int high) {
    int start = (from + to) / 2 - size / 2;
    if (start + size > high) start = high - size;
    return start < low ? low : start;
}

}  // namespace

void CWnd::CenterWindow(CWnd* alternate) {
    HWND center = alternate ? alternate->m_hWnd : nullptr;
    if (center) {
        DWORD style = static_cast<DWORD>(::GetWindowLongA(center, GWL_STYLE));
        if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE)) center = nullptr;
    }
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    CRect around;
    if (center) {
        ::GetWindowRect(center, &around);
        ::GetMonitorInfoA(::MonitorFromWindow(center, MONITOR_DEFAULTTONEAREST), &monitor);
    } else {
        HWND active = ::GetActiveWindow();
        ::GetMonitorInfoA(::MonitorFromWindow(active ? active : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        around = monitor.rcWork;
    }
    const RECT& area = monitor.rcWork;
    CRect self;
    GetWindowRect(&self);
    int x = CentredWithin(around.left, around.right, self.Width(), area.left, area.right);
    int y = CentredWithin(around.top, around.bottom, self.Height(), area.top, area.bottom);
    SetWindowPos(nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* AfxGetMainWnd() { return CWnd::FromHandle(::GetActiveWindow()); }
