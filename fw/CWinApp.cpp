#include "fw/CWinApp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName)
    : m_hInstance(nullptr), m_lpCmdLine(""), m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

CString CWinApp::GetModulePath() const {
    CString path;
    DWORD length = ::GetModuleFileNameA(m_hInstance, path.GetBufferSetLength(MAX_PATH), MAX_PATH);
    path.ReleaseBuffer(length < MAX_PATH ? static_cast<int>(length) : 0);
    return path;
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() {
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

const void* AfxLoadResourceBytes(LPCSTR type, UINT id, DWORD* size) {
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    const void* data = handle ? ::LockResource(handle) : nullptr;
    *size = data ? ::SizeofResource(module, info) : 0;
    return data;
}

const char* AfxCommandLineTail(const char* line) {
    if (!line) return "";
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

const char* AfxModuleBaseName(HINSTANCE instance) {
    static char name[MAX_PATH + 1];  // the last byte stays zero
    if (!::GetModuleFileNameA(instance, name, MAX_PATH)) name[0] = 0;
    // The name after the last separator, up to its first dot, moved to the front.
    char* start = name;
    for (char* p = name; *p; ++p)
        if (*p == '\\' || *p == '/') start = p + 1;
    char* out = name;
    while (*start && *start != '.') *out++ = *start++;
    *out = 0;
    return name;
}
