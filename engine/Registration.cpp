#include <windows.h>

#include <cstring>

#include "engine/InstallRecord.h"
#include "engine/Registration.h"
#include "engine/UninstallCommand.h"
#include "fw/RunLog.h"
#include "payload/Crc32.h"
#include "payload/ExpandedLength.h"
#include "payload/InstallNames.h"
#include "payload/PathMap.h"
#include "payload/PayloadResource.h"
#include "res/resource.h"
#include "res/version.h"
#include "state/SetupState.h"

namespace {

void SetText(HKEY key, const char* name, const char* text) {
    RunLog("  %s = %s", name, text);
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>(std::strlen(text) + 1));
}

void SetNumber(HKEY key, const char* name, DWORD number) {
    RunLog("  %s = %lu", name, number);
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

bool CreateKey(HKEY parent, const char* name, HKEY& key) {
    return ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr) == ERROR_SUCCESS;
}

const char kRecordValue[] = "InstalledFiles";

// What this installation placed, its payload files as installed and the tag
// file, added to what earlier installations placed: the uninstaller removes
// what any of them placed, while it is unchanged. A line already there is not
// added again. Adds the payload's bytes.
CString InstalledFiles(const SetupState& s, unsigned long long& bytes) {
    CString record = "\n" + ReadInstallRecord(s);  // every line between line ends
    auto add = [&record](const InstalledFile& file) {
        CString line = InstallRecordLine(file) + "\n";
        if (record.Find("\n" + line) < 0) record += line;
    };
    for (int i = 0; i < s.fileCount && i < MAX_MANIFEST_ENTRIES; ++i) {
        PayloadBytes stored;
        if (!LoadPayloadResource(i, stored) || s.fileSizes[i] < 0) continue;
        size_t size = static_cast<size_t>(s.fileSizes[i]) < stored.size ? s.fileSizes[i] : stored.size;
        InstalledFile file = {ExpandedLength(stored.data, size), s.fileChecks[i],
                              MapManifestPath(s.fileNames[i], s.distributionTag)};
        bytes += file.size;
        add(file);
    }
    const CString& tag = s.distributionTag;
    add({static_cast<uint32_t>(tag.GetLength()), Crc32(tag, tag.GetLength()), INSTALL_TAG_FILE});
    return record.Mid(1);
}

// A multi-string value: each line ends with a zero, the last with two.
void SetLines(HKEY key, const char* name, const CString& lines) {
    CString data = lines;
    int length = data.GetLength();
    char* bytes = data.GetBufferSetLength(length + 1);
    for (int i = 0; i < length; ++i)
        if (bytes[i] == '\n') bytes[i] = 0;
    bytes[length] = 0;
    ::RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(bytes), static_cast<DWORD>(length + 1));
}

// One entry of the list of installed programs, with what the list shows;
// the product's own entry also keeps the record of its files.
void WriteUninstallEntry(const SetupState& s, HKEY uninstall, const char* name, const char* command,
                         const char* icon, DWORD sizeKiB, const CString* record) {
    HKEY entry = nullptr;
    if (!CreateKey(uninstall, name, entry)) return;
    RunLog("Uninstall entry %s:", name);
    SetText(entry, "DisplayName", s.displayName);
    SetText(entry, "UninstallString", command);
    SetText(entry, "QuietUninstallString", QuietUninstallCommand(s.installFolder));
    if (record) SetLines(entry, kRecordValue, *record);
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
        unsigned long long bytes = 0;
        CString record = InstalledFiles(s, bytes);
        DWORD sizeKiB = static_cast<DWORD>((bytes + 1023) / 1024);
        WriteUninstallEntry(s, uninstall, s.productKey, command, icon, sizeKiB, &record);
        WriteUninstallEntry(s, uninstall, s.displayName, command, icon, sizeKiB, nullptr);
        ::RegCloseKey(uninstall);
    }

    CString userKeyName;
    userKeyName.LoadString(IDS_USER_KEY_PREFIX);
    userKeyName += s.productKey;
    HKEY user = nullptr;
    if (CreateKey(HKEY_CURRENT_USER, userKeyName, user)) {
        RunLog("Per-user record %s:", static_cast<const char*>(userKeyName));
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

CString ReadInstallRecord(const SetupState& s) {
    CString record;
    HKEY key = nullptr;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, JoinPath(kUninstallKey, s.productKey), &key) != ERROR_SUCCESS) return record;
    DWORD type = REG_NONE, size = 0;
    if (::RegQueryValueExA(key, kRecordValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_MULTI_SZ) {
        char* bytes = record.GetBufferSetLength(static_cast<int>(size));
        if (::RegQueryValueExA(key, kRecordValue, nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size) != ERROR_SUCCESS)
            size = 0;
        // Lines ending with a line end each; the closing zero (or a value
        // someone cut short) ends the text.
        DWORD length = 0;
        while (length < size && !(bytes[length] == 0 && (length == 0 || bytes[length - 1] == '\n'))) {
            if (bytes[length] == 0) bytes[length] = '\n';
            ++length;
        }
        record.ReleaseBuffer(static_cast<int>(length));
        if (length > 0 && record.GetAt(length - 1) != '\n') record += "\n";
    }
    ::RegCloseKey(key);
    return record;
}

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
