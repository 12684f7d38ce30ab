// A small library that a UI test hooks onto the setup program's user-interface
// thread. Inside the setup process it records what the program shows into
// the file named by QF_UI_LOG, one line per record:
//   SET <control id> <text>   a window's text after a WM_SETTEXT (id 0: top level)
//   DRAW <text>               a text the program painted with DrawTextA
//   ICON <x> <y> <icon>       an icon it drew with DrawIcon (the handle in hex)
//   OPEN <kind>               a dialog being initialised: licence, progress or message
//   REMOVE <path>             a file the program deleted with the C library's remove
// Line feeds, carriage returns and backslashes in texts are written as \n, \r
// and \\. With QF_UI_CANCEL_INSTALL set it also presses Escape on the first
// progress page the moment that page is initialised, ahead of its start
// message, so that the cancel is seen before the first file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource.h"

namespace {

typedef int(WINAPI* DrawTextAProc)(HDC, LPCSTR, int, LPRECT, UINT);
typedef BOOL(WINAPI* DrawIconProc)(HDC, int, int, HICON);
typedef int(__cdecl* RemoveProc)(const char*);

HANDLE g_log = INVALID_HANDLE_VALUE;
bool g_cancelPending = false;
DrawTextAProc g_drawText = nullptr;
DrawIconProc g_drawIcon = nullptr;
RemoveProc g_remove = nullptr;

void Record(const char* kind, int id, const char* text, int length) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    if (length < 0) length = static_cast<int>(std::strlen(text));
    char* line = static_cast<char*>(std::malloc(static_cast<size_t>(length) * 2 + 64));
    if (!line) return;
    int n = id >= 0 ? wsprintfA(line, "%s %d ", kind, id) : wsprintfA(line, "%s ", kind);
    for (int i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r' || c == '\\') {
            line[n++] = '\\';
            line[n++] = c == '\n' ? 'n' : c == '\r' ? 'r' : '\\';
        } else {
            line[n++] = c;
        }
    }
    line[n++] = '\n';
    DWORD written = 0;
    WriteFile(g_log, line, static_cast<DWORD>(n), &written, nullptr);
    std::free(line);
}

int WINAPI RecordingDrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
    if (text) Record("DRAW", -1, text, length);
    return g_drawText(dc, text, length, rect, format);
}

BOOL WINAPI RecordingDrawIcon(HDC dc, int x, int y, HICON icon) {
    char text[64];
    Record("ICON", -1, text, std::snprintf(text, sizeof text, "%d %d %llx", x, y,
                                           static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(icon))));
    return g_drawIcon(dc, x, y, icon);
}

int __cdecl RecordingRemove(const char* path) {
    if (path) Record("REMOVE", -1, path, -1);
    return g_remove(path);
}

// The program calls these functions through its import table; the entry of
// `name` is pointed at `replacement`. Returns the real function.
FARPROC Redirect(const char* library, const char* name, FARPROC replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    HMODULE module = GetModuleHandleA(library);
    FARPROC real = module ? GetProcAddress(module, name) : nullptr;
    if (!base || !real) return real;
    const IMAGE_NT_HEADERS* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return real;
    for (const IMAGE_IMPORT_DESCRIPTOR* d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name; ++d) {
        for (IMAGE_THUNK_DATA* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function;
             ++t) {
            if (t->u1.Function != reinterpret_cast<ULONG_PTR>(real)) continue;
            DWORD old = 0;
            VirtualProtect(&t->u1.Function, sizeof t->u1.Function, PAGE_READWRITE, &old);
            t->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&t->u1.Function, sizeof t->u1.Function, old, &old);
        }
    }
    return real;
}

// What kind of the program's dialogs this is, by its controls.
const char* DialogKind(HWND dialog) {
    if (GetDlgItem(dialog, IDC_ACCEPT)) return "licence";
    if (GetDlgItem(dialog, IDC_PROGRESS_BAR)) return "progress";
    return "message";
}

void Start() {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QF_UI_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;  // not the process under test
    g_log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    g_cancelPending = GetEnvironmentVariableA("QF_UI_CANCEL_INSTALL", path, sizeof path) > 0;
    g_drawText = reinterpret_cast<DrawTextAProc>(
        Redirect("user32.dll", "DrawTextA", reinterpret_cast<FARPROC>(&RecordingDrawTextA)));
    g_drawIcon = reinterpret_cast<DrawIconProc>(
        Redirect("user32.dll", "DrawIcon", reinterpret_cast<FARPROC>(&RecordingDrawIcon)));
    g_remove = reinterpret_cast<RemoveProc>(
        Redirect("msvcrt.dll", "remove", reinterpret_cast<FARPROC>(&RecordingRemove)));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK UiCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG &&
        !(GetWindowLongPtrA(message->hwnd, GWL_STYLE) & WS_CHILD))
        Record("OPEN", -1, DialogKind(message->hwnd), -1);
    // Before the page's own initialisation posts its start message.
    if (code == HC_ACTION && g_cancelPending && message->message == WM_INITDIALOG &&
        GetDlgItem(message->hwnd, IDC_PROGRESS_PERCENT)) {
        g_cancelPending = false;
        PostMessageA(message->hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(message->hwnd, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK UiCallWndRetProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT) {
        // Read back through the window itself: the text as it now stands.
        char text[8192];
        int length = GetWindowTextA(message->hwnd, text, sizeof text);
        bool child = (GetWindowLongPtrA(message->hwnd, GWL_STYLE) & WS_CHILD) != 0;
        Record("SET", child ? GetDlgCtrlID(message->hwnd) : 0, text, length);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Start();
    return TRUE;
}
