#include <windows.h>

#include "app/SetupApp.h"
#include "app/SetupState.h"
#include "engine/UninstallCommand.h"
#include "fw/CFile.h"
#include "res/resource.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

void SetText(HKEY key, const char* name, const CString& text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<const char*>(text)),
                     static_cast<DWORD>(text.GetLength() + 1));
}

bool CreateKey(HKEY parent, const char* name, HKEY& key) {
    return ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr) == ERROR_SUCCESS;
}

}  // namespace

// Records a completed installation: the uninstall entry, the per-user path of
// the browser and the sno tag file. Every failure here is silent.
void SetupApp::RegisterUninstall() {
    const SetupState& s = setupState;
    HKEY uninstall = nullptr;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, kUninstallKey, &uninstall) == ERROR_SUCCESS) {
        HKEY product = nullptr;
        if (CreateKey(uninstall, s.productKey, product)) {
            SetText(product, "DisplayName", s.displayName);
            SetText(product, "UninstallString", UninstallCommand(s.installFolder));
            ::RegCloseKey(product);
        }
        ::RegCloseKey(uninstall);
    }

    CString userKeyName;
    userKeyName.LoadString(IDS_USER_KEY_PREFIX);
    userKeyName += s.productKey;
    HKEY user = nullptr;
    if (CreateKey(HKEY_CURRENT_USER, userKeyName, user)) {
        SetText(user, "path", s.installFolder + s.mainExeName);
        ::RegCloseKey(user);
    }

    CFile tag;
    if (tag.Open(s.installFolder + "\\sno", CFile::modeCreate | CFile::modeWrite))
        tag.Write(static_cast<const char*>(s.distributionTag), static_cast<UINT>(s.distributionTag.GetLength()));
}
