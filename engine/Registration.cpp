#include <windows.h>

#include <cstring>

#include "engine/Registration.h"
#include "engine/UninstallCommand.h"
#include "payload/ExpandedLength.h"
#include "payload/PathMap.h"
#include "payload/PayloadResource.h"
#include "res/resource.h"
#include "res/version.h"
#include "state/SetupState.h"

namespace {

void SetText(HKEY key, const char* name, const char* text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>(std::strlen(text) + 1));
}

void SetNumber(HKEY key, const char* name, DWORD number) {
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

bool CreateKey(HKEY parent, const char* name, HKEY& key) {
    return ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr) == ERROR_SUCCESS;
}

// The payload's size once installed, in KiB rounded up.
DWORD PayloadKiB(const SetupState& s) {
    unsigned long long bytes = 0;
    for (int i = 0; i < s.fileCount && i < MAX_MANIFEST_ENTRIES; ++i) {
        PayloadBytes stored;
        if (!LoadPayloadResource(i, stored) || s.fileSizes[i] < 0) continue;
        size_t size = static_cast<size_t>(s.fileSizes[i]) < stored.size ? s.fileSizes[i] : stored.size;
        bytes += ExpandedLength(stored.data, size);
    }
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

// One entry of the list of installed programs, with what the list shows.
void WriteUninstallEntry(const SetupState& s, HKEY uninstall, const char* name, const char* command,
                         const char* icon, DWORD sizeKiB) {
    HKEY entry = nullptr;
    if (!CreateKey(uninstall, name, entry)) return;
    SetText(entry, "DisplayName", s.displayName);
    SetText(entry, "UninstallString", command);
    SetText(entry, "DisplayIcon", icon);
    SetText(entry, "DisplayVersion", PRODUCT_VERSION_TEXT);
    SetText(entry, "Publisher", PRODUCT_NAME_TEXT);
    SetText(entry, "InstallLocation", s.installFolder);
    SetNumber(entry, "EstimatedSize", sizeKiB);
    SetNumber(entry, "NoModify", 1);
    SetNumber(entry, "NoRepair", 1);
    ::RegCloseKey(entry);
}

}  // namespace

void RegisterInstallation(const SetupState& s) {
    HKEY uninstall = nullptr;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, kUninstallKey, &uninstall) == ERROR_SUCCESS) {
        // The system's list shows only direct subkeys of the Uninstall key, so
        // the two-level product entry gets a twin named like the product.
        CString command = UninstallCommand(s.installFolder);
        CString icon = JoinPath(s.installFolder, s.iconFileName);
        DWORD sizeKiB = PayloadKiB(s);
        WriteUninstallEntry(s, uninstall, s.productKey, command, icon, sizeKiB);
        WriteUninstallEntry(s, uninstall, s.displayName, command, icon, sizeKiB);
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
}

namespace {

bool ReadText(HKEY root, const char* keyName, const char* valueName, CString& text) {
    HKEY key = nullptr;
    if (::RegOpenKeyA(root, keyName, &key) != ERROR_SUCCESS) return false;
    char buffer[MAX_PATH + 1];
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    bool read = ::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ;
    ::RegCloseKey(key);
    if (!read) return false;
    buffer[size < MAX_PATH ? size : MAX_PATH] = 0;
    text = buffer;
    return !text.IsEmpty();
}

}  // namespace

int ReadRegisteredFolders(const SetupState& s, CString (&folders)[2]) {
    int count = 0;
    if (ReadText(HKEY_LOCAL_MACHINE, JoinPath(kUninstallKey, s.productKey), "InstallLocation", folders[0])) ++count;
    CString userKey;
    userKey.LoadString(IDS_USER_KEY_PREFIX);
    CString browser;
    if (ReadText(HKEY_CURRENT_USER, userKey + s.productKey, "path", browser)) {
        int folder = browser.GetLength() - s.mainExeName.GetLength();
        if (folder > 0 && ::lstrcmpiA(browser.Mid(folder), s.mainExeName) == 0) folders[count++] = browser.Left(folder);
    }
    return count;
}
