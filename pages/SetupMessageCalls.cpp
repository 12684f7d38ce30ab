// The three ways the program opens its message box.
#include "pages/SetupMessageBox.h"

int ShowSetupMessage(const char* text, const char* caption, UINT iconId, int buttonSet, int topmost) {
    SetupMessageBox box(text, caption, iconId, buttonSet, topmost);
    return static_cast<int>(box.DoModal());
}

int ShowSetupMessageId(UINT textId, const char* caption, UINT iconId, int buttonSet, int topmost) {
    CString text;
    text.LoadString(textId);
    return ShowSetupMessage(text, caption, iconId, buttonSet, topmost);
}

int ShowSetupMessageIds(UINT textId1, UINT textId2, const char* caption, UINT iconId, int buttonSet,
                        int topmost) {
    CString text;
    text.LoadString(textId1);
    CString second;
    second.LoadString(textId2);
    text += second;
    return ShowSetupMessage(text, caption, iconId, buttonSet, topmost);
}
