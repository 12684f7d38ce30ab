// A window object bound to a platform window by subclassing: its WindowProc
// dispatches through the message maps and passes everything else on.
#pragma once

#include <windows.h>

#include "fw/CString.h"
#include "fw/Gdi.h"
#include "fw/Geometry.h"
#include "fw/MessageMap.h"

// Window flag: the window keeps its active look while it is deactivated.
const UINT WF_STAYACTIVE = 0x0020;

// The message being handled on this thread; Default() passes it on.
struct AFX_THREAD_MESSAGE {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
AFX_THREAD_MESSAGE* AfxGetThreadMessage();

class CWnd {
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;
    UINT m_nFlags;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object bound to a window, or a short-lived wrapper for any other.
    static CWnd* FromHandle(HWND window);
    static CWnd* FromHandlePermanent(HWND window);
    bool SubclassWindow(HWND window);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();

    // Window operations used by the dialogs.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    // Both through the control's handle, as the system does: two imports fewer.
    void SetDlgItemText(int id, const char* text) { ::SetWindowTextA(::GetDlgItem(m_hWnd, id), text); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
    }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const;
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }
    // Client rectangle to window rectangle for this window's styles.
    void CalcWindowRect(RECT* rect) const;
    // Centres over `alternate` when it is visible, else on the work area of
    // the active window's display (the primary one when nothing is active).
    void CenterWindow(CWnd* alternate = nullptr);

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Default handlers: the standard processing of their message.
    void OnNcPaint() { Default(); }
    BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    UINT OnNcHitTest(CPoint) { return static_cast<UINT>(Default()); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnSysColorChange() { Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    void OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnPaint() { Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

private:
    WNDPROC m_pfnSuper;
    void Detach();
    static LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// The thread's active window: the program sets no main window of its own.
CWnd* AfxGetMainWnd();
