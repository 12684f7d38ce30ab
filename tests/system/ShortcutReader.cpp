#include "tests/system/ShortcutReader.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

ShortcutContents ReadShortcut(const std::string& linkPath) {
    ShortcutContents contents;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return contents;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) > 0 &&
            SUCCEEDED(file->Load(widePath, STGM_READ))) {
            char text[MAX_PATH * 2];
            // The path as stored, without resolving or expanding it.
            text[0] = '\0';
            WIN32_FIND_DATAA found;
            if (SUCCEEDED(link->GetPath(text, sizeof text, &found, SLGP_RAWPATH))) contents.target = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetDescription(text, sizeof text))) contents.description = text;
            text[0] = '\0';
            int index = -1;
            if (SUCCEEDED(link->GetIconLocation(text, sizeof text, &index))) {
                contents.iconPath = text;
                contents.iconIndex = index;
            }
            text[0] = '\0';
            if (SUCCEEDED(link->GetArguments(text, sizeof text))) contents.arguments = text;
            contents.loaded = true;
        }
        file->Release();
    }
    link->Release();
    return contents;
}
