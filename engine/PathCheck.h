// Below the product folder the elevated run writes, moves and deletes only
// plain files and folders at exactly the place it names: no junction,
// symbolic link or mount point on the way or at the end (anyone could have
// made one before the folders were closed), and no link the system follows
// without marking it as one.
#pragma once

#include <windows.h>

#include "fw/CString.h"

enum PathPlace {
    PLACE_MISSING,   // nothing there
    PLACE_INSIDE,    // a plain file or folder, of the kind asked for, at exactly that place
    PLACE_ELSEWHERE  // a link on the way or there, the other kind, or a place no call could tell
};

class PathCheck {
public:
    PathCheck() {}
    // `base` (ending with "\") is the caller's to trust, whatever it is: a
    // link, a mount point; what lies below it is checked.
    explicit PathCheck(const CString& base);

    const CString& Base() const { return m_base; }

    // Where base + `relative` (no leading or trailing "\") leads. With `pin`,
    // what is found inside stays open there, with `access`, until the caller
    // closes it: it cannot be renamed, deleted or replaced meanwhile.
    PathPlace Place(const CString& relative, bool folder, HANDLE* pin = nullptr,
                    DWORD access = FILE_READ_ATTRIBUTES) const;

    // Deletes the folder base + `relative` with everything in it, following
    // no link: a link stays where it is, and so does all behind it. What
    // another program holds open stays too, and goes at the next restart
    // where the system allows it. False when anything stayed.
    bool DeleteFolder(const CString& relative) const;

private:
    CString m_base;
    CString m_baseFinal;  // where the system resolves the base, no trailing "\"
};

// Deletes `path` at the next restart (administrators only); false where the
// system cannot.
bool DeleteAtRestart(const char* path);
