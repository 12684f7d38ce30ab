#include <windows.h>

#include <cstring>

#include "engine/FolderTree.h"
#include "fw/CString.h"

namespace {

// The position of the last backslash at or after `from`, or -1.
int LastBackslash(const CString& text, int from) {
    int last = text.ReverseFind('\\');
    return last >= from ? last : -1;
}

// Creates `folder` and, when that fails for want of its parent, the missing
// folders above it first. Nothing at or before `floor` (the drive root) is
// made. The first folder made is the outermost: its length goes into
// `outermost`. An extraction run asks for the same few folders once per
// file, so the folder that already exists is the common case and costs one
// call.
void CreateFolderWithParents(const CString& folder, int floor, int& outermost) {
    if (folder.GetLength() <= floor) return;
    bool made = ::CreateDirectoryA(folder, nullptr);
    if (!made && ::GetLastError() == ERROR_PATH_NOT_FOUND) {
        int parent = LastBackslash(folder, floor);
        if (parent <= floor) return;
        CreateFolderWithParents(folder.Left(parent), floor, outermost);
        made = ::CreateDirectoryA(folder, nullptr);
    }
    if (made && outermost == 0) outermost = folder.GetLength();
}

}  // namespace

// Each folder is named by its whole path rather than entered one by one:
// the current directory is never changed, and a folder that could not be
// made is never taken for its parent.
int CreateFolderTree(const char* path, bool wholePath) {
    int outermost = 0;
    if (!path || std::strlen(path) >= MAX_PATH) return outermost;
    CString text(path);
    int drive = text.Find(":\\");
    int floor = drive > 0 ? drive + 2 : 0;
    int last = LastBackslash(text, floor);
    if (last >= 0)
        CreateFolderWithParents(text.Left(last), floor, outermost);
    else if (wholePath && floor < text.GetLength() && ::CreateDirectoryA(text, nullptr))
        outermost = text.GetLength();
    return outermost;
}

void RemoveCreatedFolders(const char* path, int created) {
    if (created <= 0) return;
    // One that holds something stays, and so do its parents.
    for (int end = static_cast<int>(std::strlen(path)) - 1; end >= created; --end)
        if (path[end] == '\\') ::RemoveDirectoryA(CString(path, end));
}
