// quillfen.exe: reads its settings file, opens the skin and language
// libraries named there, and shows (and prints) one line for each step.
#include <windows.h>

#include "standins/browser/Settings.h"

namespace {

const char kWindowClass[] = "QuillfenMainWindow";
const char kWindowTitle[] = "Quillfen 11.0";
const char kSettingsName[] = "qf11_default_en.txt";
const int kIconId = 1;
const int kIconControlId = 99;
const int kFirstLineId = 100;  // one STATIC per report line, ids 100, 101, 102
const int kLineCount = 3;
const DWORD kMaxSettingsBytes = 16384;

// Wide enough for a label, a file name of up to MAX_PATH and a 128-character string.
char g_lines[kLineCount][512];

// Keeps the line for the window and writes it to standard output at once
// (WriteFile has no buffer to flush).
void Report(int index, const char* text) {
    lstrcpynA(g_lines[index], text, sizeof g_lines[index]);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(out, text, lstrlenA(text), &written, nullptr);
        WriteFile(out, "\r\n", 2, &written, nullptr);
    }
}

// Reads the whole file into `buffer`; returns the byte count or -1.
int ReadSmallFile(const char* path, char* buffer, DWORD capacity) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD read = 0;
    BOOL ok = ReadFile(file, buffer, capacity, &read, nullptr);
    CloseHandle(file);
    return ok ? static_cast<int>(read) : -1;
}

// Opens `folder` + `subfolder` + `name` as a data file and reports its string 1.
void ReportLibrary(int index, const char* label, const char* folder, const char* subfolder,
                   const char* name, bool named) {
    char line[sizeof g_lines[0]];
    if (!named) {
        wsprintfA(line, "%s not named in the settings", label);
        Report(index, line);
        return;
    }
    char path[MAX_PATH * 3];
    wsprintfA(path, "%s%s%s", folder, subfolder, name);
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!library) {
        wsprintfA(line, "%s %s not found", label, name);
        Report(index, line);
        return;
    }
    char text[128];
    if (LoadStringA(library, 1, text, sizeof text) > 0)
        wsprintfA(line, "%s %s - %s", label, name, text);
    else
        wsprintfA(line, "%s %s has no string 1", label, name);
    FreeLibrary(library);
    Report(index, line);
}

void LoadEverything() {
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    while (length > 0 && folder[length - 1] != '\\' && folder[length - 1] != '/') --length;
    folder[length] = '\0';

    // From the heap, not static: zeroed statics would take room in the file.
    char* settings = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, kMaxSettingsBytes));
    char path[MAX_PATH * 3];
    wsprintfA(path, "%s%s", folder, kSettingsName);
    int size = settings ? ReadSmallFile(path, settings, kMaxSettingsBytes) : -1;

    char line[sizeof g_lines[0]];
    if (size < 0) {
        wsprintfA(line, "Settings: %s not found", kSettingsName);
        size = 0;
    } else {
        wsprintfA(line, "Settings: %s, %d keys", kSettingsName, quillfen::CountSettings(settings, size));
    }
    Report(0, line);

    char skin[MAX_PATH];
    char lang[MAX_PATH];
    bool skinNamed = quillfen::FindSetting(settings, size, "skin", skin, sizeof skin) && skin[0];
    bool langNamed = quillfen::FindSetting(settings, size, "lang", lang, sizeof lang) && lang[0];
    ReportLibrary(1, "Skin:", folder, "skin\\", skin, skinNamed);
    ReportLibrary(2, "Language:", folder, "", lang, langNamed);
    HeapFree(GetProcessHeap(), 0, settings);
}

void CreateChildren(HWND window, HINSTANCE instance) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND icon = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, 16, 16, 32, 32,
                                window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIconControlId)),
                                instance, nullptr);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(kIconId))), 0);
    for (int i = 0; i < kLineCount; ++i) {
        HWND text = CreateWindowExA(0, "STATIC", g_lines[i], WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                    64, 16 + 22 * i, 440, 18, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstLineId + i)),
                                    instance, nullptr);
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateChildren(window, reinterpret_cast<LPCREATESTRUCTA>(lParam)->hInstance);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunBrowser(HINSTANCE instance) {
    LoadEverything();
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc)) return 1;

    RECT frame = {0, 0, 520, 16 + 22 * kLineCount + 14};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

// Entry point: the program needs nothing from the C runtime's start-up code,
// so it is linked without it (see CMakeLists.txt). The stack is realigned:
// 32-bit Windows starts a process with only 4-byte stack alignment.
extern "C" __attribute__((force_align_arg_pointer)) void QuillfenStart() {
    ExitProcess(static_cast<UINT>(RunBrowser(GetModuleHandleA(nullptr))));
}
