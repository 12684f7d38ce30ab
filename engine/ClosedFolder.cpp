#include "engine/ClosedFolder.h"

#include <aclapi.h>
#include <sddl.h>

#include "fw/SystemLibrary.h"

namespace {

// Not on every Windows: looked up when first needed.
typedef BOOL(WINAPI* ConvertSecurityFn)(LPCSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG);
typedef DWORD(WINAPI* SetSecurityFn)(HANDLE, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID, PSID, PACL, PACL);
typedef BOOL(WINAPI* GetOwnerFn)(PSECURITY_DESCRIPTOR, PSID*, LPBOOL);
typedef BOOL(WINAPI* GetDaclFn)(PSECURITY_DESCRIPTOR, LPBOOL, PACL*, LPBOOL);

// Owner Administrators; protected, inherited by folders and files: SYSTEM
// and Administrators full control, Users read and execute.
const char kClosedFolderSecurity[] = "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

struct ClosedSecurity {
    SECURITY_ATTRIBUTES attributes;
    SetSecurityFn setSecurity;
    PSID owner;
    PACL dacl;
    bool ready;
};

// Built once for the process; nothing is kept where it fails.
ClosedSecurity& Security() {
    static ClosedSecurity security;
    static bool tried = false;
    if (tried || AfxIsWindows9x()) return security;
    tried = true;
    static const char* const kNames[] = {"ConvertStringSecurityDescriptorToSecurityDescriptorA", "SetSecurityInfo",
                                         "GetSecurityDescriptorOwner", "GetSecurityDescriptorDacl"};
    FARPROC f[4];
    if (!AfxGetProcAddresses(::GetModuleHandleA("ADVAPI32.DLL"), kNames, f, 4)) return security;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    if (!((ConvertSecurityFn)(void*)f[0])(kClosedFolderSecurity, SDDL_REVISION_1, &descriptor, nullptr) ||
        !((GetOwnerFn)(void*)f[2])(descriptor, &security.owner, &defaulted) ||
        !((GetDaclFn)(void*)f[3])(descriptor, &present, &security.dacl, &defaulted) || !present)
        return security;
    security.attributes.nLength = sizeof security.attributes;
    security.attributes.lpSecurityDescriptor = descriptor;
    security.setSecurity = (SetSecurityFn)(void*)f[1];
    security.ready = true;
    return security;
}

}  // namespace

SECURITY_ATTRIBUTES* ClosedFolderAttributes() {
    ClosedSecurity& security = Security();
    return security.ready ? &security.attributes : nullptr;
}

DWORD CloseFolder(HANDLE folder) {
    if (AfxIsWindows9x()) return ERROR_SUCCESS;
    ClosedSecurity& security = Security();
    if (!security.ready) return ERROR_PROC_NOT_FOUND;
    return security.setSecurity(folder, SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                    PROTECTED_DACL_SECURITY_INFORMATION,
                                security.owner, nullptr, security.dacl, nullptr);
}
