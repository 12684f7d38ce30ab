// The program's own message box: a skinned dialog (template 220) that sizes
// itself to its text, shows a system icon at the left and offers one or two
// buttons. The first button is id 1 and the second id 2, so the dialog's
// standard OK and Cancel handling ends it with 1 or 2; Escape and the close
// button count as the second.
#pragma once

#include "skin/SkinDialog.h"

// Measures, lays out and paints; a derived class owns the font.
class SetupMessageBoxBase : public SkinDialog {
public:
    // Both strings are not copied: they must outlive the box. iconId is the
    // numeric id of a system icon (32516 for IDI_ASTERISK); buttonSet is
    // MB_OK, MB_OKCANCEL or MB_YESNO.
    SetupMessageBoxBase(const char* text, const char* caption, UINT iconId, int buttonSet, int topmost);

    BOOL OnInitDialog() override;

    // The font the text is both measured and drawn with.
    virtual CFont* GetMessageFont() = 0;

protected:
    int buttonTop;        // client y of the button row: the bottom of the text area
    const char* caption;
    const char* text;     // lines separated by '\n'
    UINT iconId;
    int buttonSet;
    int topmost;
    CSize textExtent;     // widest line, summed line heights

    void MeasureText();
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};

class SetupMessageBox : public SetupMessageBoxBase {
public:
    SetupMessageBox(const char* text, const char* caption, UINT iconId, int buttonSet, int topmost);

    HICON GetCaptionIcon() override;
    CFont* GetMessageFont() override;

protected:
    CFont font;
};

// Each runs a new box modally and returns 1 for the first button ("OK" or
// "Yes") and 2 for the second ("Cancel" or "No"), Escape or closing.
int ShowSetupMessage(const char* text, const char* caption, UINT iconId, int buttonSet, int topmost);
// The text is string-table entry textId; an id without an entry shows nothing.
int ShowSetupMessageId(UINT textId, const char* caption, UINT iconId, int buttonSet, int topmost);
// The text is entry textId1 followed directly by entry textId2.
int ShowSetupMessageIds(UINT textId1, UINT textId2, const char* caption, UINT iconId, int buttonSet,
                        int topmost);
