#include "app/ElevatedRun.h"

#include "fw/CString.h"
#include "fw/SystemLibrary.h"
#include "res/version.h"

namespace {

// Not on every Windows: looked up at run time.
typedef HANDLE(WINAPI* CreateBoundaryFn)(LPCSTR, ULONG);
typedef BOOL(WINAPI* AddSidFn)(HANDLE*, PSID);
typedef HANDLE(WINAPI* CreateNamespaceFn)(LPSECURITY_ATTRIBUTES, LPVOID, LPCSTR);
typedef HANDLE(WINAPI* OpenNamespaceFn)(LPVOID, LPCSTR);
typedef BOOL(WINAPI* CreateSidFn)(int, PSID, PSID, DWORD*);
typedef BOOL(WINAPI* SetMitigationFn)(int, PVOID, SIZE_T);

const int kBuiltinAdministrators = 26;   // WinBuiltinAdministratorsSid
const int kRedirectionTrustPolicy = 16;  // ProcessRedirectionTrustPolicy
const DWORD kEnforceRedirectionTrust = 1;

#define RUN_LOCK_NAME PRODUCT_NAME_TEXT " " PRODUCT_VERSION_TEXT " Setup"

// The namespace bounded by the Administrators group; it stays open for the
// process, so that later runs find it while this one holds the lock.
bool OpenAdministratorsNamespace() {
    static const char* const kNames[] = {"CreateBoundaryDescriptorA", "AddSIDToBoundaryDescriptor",
                                         "CreatePrivateNamespaceA", "OpenPrivateNamespaceA"};
    FARPROC f[4];
    FARPROC createSid = ::GetProcAddress(::GetModuleHandleA("ADVAPI32.DLL"), "CreateWellKnownSid");
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!createSid || !AfxGetProcAddresses(::GetModuleHandleA("KERNEL32.DLL"), kNames, f, 4) ||
        !((CreateSidFn)(void*)createSid)(kBuiltinAdministrators, nullptr, administrators, &size))
        return false;
    HANDLE boundary = ((CreateBoundaryFn)(void*)f[0])(RUN_LOCK_NAME, 0);
    if (!boundary || !((AddSidFn)(void*)f[1])(&boundary, administrators)) return false;
    return ((CreateNamespaceFn)(void*)f[2])(nullptr, boundary, PRODUCT_NAME_TEXT) ||
           ((OpenNamespaceFn)(void*)f[3])(boundary, PRODUCT_NAME_TEXT);
}

}  // namespace

HANDLE CreateRunLock() {
    CString name = OpenAdministratorsNamespace() ? PRODUCT_NAME_TEXT "\\" : "Global\\";
    return ::CreateMutexA(nullptr, FALSE, name + RUN_LOCK_NAME);
}

// Under UAC an administrator's token counts as one only once elevated.
bool RunsElevated() {
    typedef BOOL(WINAPI * IsUserAnAdminFn)();
    IsUserAnAdminFn isAdmin = (IsUserAnAdminFn)(void*)::GetProcAddress(::GetModuleHandleA("SHELL32.DLL"), "IsUserAnAdmin");
    return isAdmin && isAdmin();
}

void RefuseUserRedirections() {
    SetMitigationFn setPolicy =
        (SetMitigationFn)(void*)::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "SetProcessMitigationPolicy");
    DWORD flags = kEnforceRedirectionTrust;
    if (setPolicy) setPolicy(kRedirectionTrustPolicy, &flags, sizeof flags);
}
