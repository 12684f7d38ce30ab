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
    char path[MAX_PATH + 1] = {0};
    DWORD length = ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return CString();
    return CString(path, static_cast<int>(length));
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
    static char name[MAX_PATH + 1];
    char path[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    const char* start = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') start = p + 1;
    int length = 0;
    while (start[length] && start[length] != '.' && length < MAX_PATH) {
        name[length] = start[length];
        ++length;
    }
    name[length] = 0;
    return name;
}
