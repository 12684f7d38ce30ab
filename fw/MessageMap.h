// Message maps: each window class lists which handler runs for which message,
// command or notification, and names its base class's map. Dispatch walks the
// chain from the most derived class; a message nobody lists goes to the
// default processing.
#pragma once

#include <windows.h>

class CWnd;

// How a handler takes the message's parameters and what it returns.
enum MessageSignature : BYTE {
    Sig_v_v,          // void ()                         commands, WM_NCPAINT, WM_PAINT, ...
    Sig_b_v,          // BOOL ()                         WM_INITDIALOG
    Sig_b_b,          // BOOL (BOOL)                     WM_NCACTIVATE
    Sig_b_D,          // BOOL (CDC*)                     WM_ERASEBKGND
    Sig_v_u_p,        // void (UINT, CPoint)             mouse messages
    Sig_u_p,          // UINT (CPoint)                   WM_NCHITTEST
    Sig_hbr_D_W_u,    // HBRUSH (CDC*, CWnd*, UINT)      WM_CTLCOLOR*
    Sig_v_i_s,        // void (int, LPDRAWITEMSTRUCT)    WM_DRAWITEM
    Sig_v_u_l,        // void (UINT, LPARAM)             WM_SYSCOMMAND
    Sig_h_v,          // HCURSOR ()                      WM_QUERYDRAGICON
    Sig_l_w_l,        // LRESULT (WPARAM, LPARAM)        any message (ON_MESSAGE)
};

typedef void (CWnd::*AFX_PMSG)();

// Window messages, notification codes and control ids are 16-bit values:
// with the signature the entry's numbers fit in 8 bytes before the handler.
struct AFX_MSGMAP_ENTRY {
    WORD nMessage;  // window message
    WORD nCode;     // WM_COMMAND: notification code
    WORD nID;       // WM_COMMAND: control id
    MessageSignature nSig;
    AFX_PMSG pfn;
};

// The base class's map is named by its function, not its address: that keeps
// every map a constant, built by the compiler instead of at run time.
struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // nullptr for CWnd's own map
    const AFX_MSGMAP_ENTRY* lpEntries;     // ends with an entry of message 0
};

// Pseudo-message under which WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC are listed.
const UINT WM_CTLCOLOR = 0x0019;

#define DECLARE_MESSAGE_MAP()                             \
protected:                                                \
    static const AFX_MSGMAP* GetThisMessageMap();         \
    const AFX_MSGMAP* GetMessageMap() const override;     \
public:

// The entries are built inside a member function, so handlers may be
// protected and every map names its own class.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        typedef theClass ThisMapClass [[maybe_unused]];                               \
        typedef baseClass BaseMapClass;                                               \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                             \
            {0, 0, 0, Sig_v_v, nullptr}};                                             \
        static const AFX_MSGMAP map = {&BaseMapClass::GetThisMessageMap, entries};    \
        return &map;                                                                  \
    }

#define AFX_HANDLER(type, member) reinterpret_cast<AFX_PMSG>(static_cast<type>(member))

#define ON_COMMAND(id, handler) \
    {WM_COMMAND, 0, (id), Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::handler)},
#define ON_BN_CLICKED(id, handler) \
    {WM_COMMAND, BN_CLICKED, (id), Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::handler)},
#define ON_BN_DOUBLECLICKED(id, handler) \
    {WM_COMMAND, BN_DOUBLECLICKED, (id), Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::handler)},
#define ON_MESSAGE(message, handler) \
    {(message), 0, 0, Sig_l_w_l, AFX_HANDLER(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisMapClass::handler)},

#define ON_WM_NCLBUTTONDOWN() \
    {WM_NCLBUTTONDOWN, 0, 0, Sig_v_u_p, AFX_HANDLER(void (CWnd::*)(UINT, CPoint), &ThisMapClass::OnNcLButtonDown)},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, Sig_v_u_p, AFX_HANDLER(void (CWnd::*)(UINT, CPoint), &ThisMapClass::OnLButtonUp)},
#define ON_WM_NCHITTEST() \
    {WM_NCHITTEST, 0, 0, Sig_u_p, AFX_HANDLER(UINT (CWnd::*)(CPoint), &ThisMapClass::OnNcHitTest)},
#define ON_WM_NCPAINT() \
    {WM_NCPAINT, 0, 0, Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::OnNcPaint)},
#define ON_WM_NCACTIVATE() \
    {WM_NCACTIVATE, 0, 0, Sig_b_b, AFX_HANDLER(BOOL (CWnd::*)(BOOL), &ThisMapClass::OnNcActivate)},
#define ON_WM_SYSCOLORCHANGE() \
    {WM_SYSCOLORCHANGE, 0, 0, Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::OnSysColorChange)},
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, Sig_hbr_D_W_u, AFX_HANDLER(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisMapClass::OnCtlColor)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, Sig_b_D, AFX_HANDLER(BOOL (CWnd::*)(CDC*), &ThisMapClass::OnEraseBkgnd)},
#define ON_WM_DRAWITEM() \
    {WM_DRAWITEM, 0, 0, Sig_v_i_s, AFX_HANDLER(void (CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisMapClass::OnDrawItem)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, Sig_v_u_l, AFX_HANDLER(void (CWnd::*)(UINT, LPARAM), &ThisMapClass::OnSysCommand)},
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, Sig_v_v, AFX_HANDLER(void (CWnd::*)(), &ThisMapClass::OnPaint)},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, Sig_h_v, AFX_HANDLER(HCURSOR (CWnd::*)(), &ThisMapClass::OnQueryDragIcon)},
