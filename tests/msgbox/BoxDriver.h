// Runs the setup message box inside the test process and drives it from a
// thread timer: once the box is on screen its layout is recorded, an optional
// inspector looks at it, and then it is answered the way a user would.
#pragma once

#include <windows.h>

#include "pages/SetupMessageBox.h"

// The caption every box of these tests carries; the driver finds the box by it.
extern const char kBoxCaption[];

enum BoxAnswer {
    PressFirstButton,   // BM_CLICK on button 1
    PressSecondButton,  // BM_CLICK on button 2
    KeyEnter,           // WM_KEYDOWN VK_RETURN posted to the focused control
    KeyEscape,          // WM_KEYDOWN VK_ESCAPE posted to the focused control
    CloseMessage,       // WM_CLOSE, what the frame's close button sends
    SystemClose,        // WM_SYSCOMMAND SC_CLOSE, as Alt+F4
};

struct BoxSnapshot {
    bool seen;
    HWND box;
    RECT window;            // screen coordinates
    RECT client;            // GetClientRect
    RECT button[2];         // client coordinates, ids 1 and 2
    bool buttonVisible[2];
    char buttonText[2][32];
    RECT templateButton;    // 50 x 14 dialog units in pixels of this box
    char text[512];         // the box's message text
    SIZE textExtent;        // what the box measured
    int buttonTop;
    HWND owner;             // GW_OWNER
    bool ownerEnabled;
    bool topmost;           // WS_EX_TOPMOST
    LOGFONTA messageFont;   // the font the box measures and draws with
    LOGFONTA dialogFont;    // the font the template gives the dialog
    HICON captionIcon;      // what the box offers the frame's caption
};

// Reads the fields the box keeps for itself.
struct BoxPeek : SetupMessageBoxBase {
    static const char* Text(SetupMessageBoxBase* b) { return b->*(&BoxPeek::text); }
    static CSize Extent(SetupMessageBoxBase* b) { return b->*(&BoxPeek::textExtent); }
    static int ButtonTop(SetupMessageBoxBase* b) { return b->*(&BoxPeek::buttonTop); }
};

SetupMessageBoxBase* BoxObject(HWND box);

// Called while the box is shown, after the snapshot and before the answer.
typedef void (*BoxInspector)(HWND box);

// Which of the three calls opens the box.
struct BoxCall {
    enum Kind { Text, Id, Ids } kind;
    const char* text;
    UINT textId1;
    UINT textId2;
    int buttonSet;
    int topmost;
};

BoxCall TextCall(const char* text, int buttonSet, int topmost = 0);
BoxCall IdCall(UINT textId, int buttonSet);
BoxCall IdsCall(UINT textId1, UINT textId2, int buttonSet);

// Opens the box, answers it, returns what the call returned.
int DriveBox(const BoxCall& call, BoxAnswer answer, BoxSnapshot* snapshot, BoxInspector inspect = nullptr);

// Width and height of `text` (`length` characters, all by default) in a font
// made from `font`.
SIZE MeasureWith(const LOGFONTA& font, const char* text, int length = -1);
