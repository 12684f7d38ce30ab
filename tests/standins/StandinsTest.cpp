// Runs the browser stand-in from a temporary folder laid out like an
// installation and reads back what its window and standard output report.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/harness/check.h"

namespace {

const char kSettingsName[] = "qf11_default_en.txt";
const char kSettingsLine[] = "Settings: qf11_default_en.txt, 25 keys";
const char kSkinLine[] = "Skin: default_en.dll - Quillfen Classic";
const char kLanguageLine[] = "Language: en.dll - Welcome to Quillfen";

// Folder of the built files: "installed\" next to this program.
std::string InstalledDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (n > 0 && path[n - 1] != '\\') --n;
    return std::string(path, n) + "installed\\";
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

// A fresh temporary folder holding the chosen built files; removed again.
class TempInstall {
public:
    explicit TempInstall(const char* caseName) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "qf-standin-" + std::to_string(GetCurrentProcessId()) + "-" +
               caseName + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "skin").c_str(), nullptr);
    }
    ~TempInstall() {
        const char* files[] = {"quillfen.exe", "skin\\default_en.dll", "en.dll", kSettingsName};
        for (const char* f : files) DeleteFileA((dir_ + f).c_str());
        RemoveDirectoryA((dir_ + "skin").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    bool Add(const char* relativePath) {
        return CopyFileA((InstalledDir() + relativePath).c_str(), (dir_ + relativePath).c_str(), FALSE) != 0;
    }
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char title[64];
    // Visible means created with all its children and shown.
    if (pid == search->processId && IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) > 0 &&
        std::strcmp(title, "Quillfen 11.0") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The stand-in started in a folder with its standard output on a pipe.
class RunningBrowser {
public:
    explicit RunningBrowser(const std::string& dir) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE writeEnd = nullptr;
        if (!CreatePipe(&output_, &writeEnd, &inherit, 0)) return;
        SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = writeEnd;
        si.hStdError = writeEnd;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        std::string exe = dir + "quillfen.exe";
        std::string commandLine = "\"" + exe + "\"";
        // The working folder is elsewhere on purpose: the browser must find
        // its files through its own path.
        started_ = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &si, &process_) != 0;
        CloseHandle(writeEnd);
    }
    ~RunningBrowser() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        if (output_) CloseHandle(output_);
    }

    bool Started() const { return started_; }

    // Waits (bounded) for the main window to show; null when it never does.
    HWND WaitForWindow() {
        for (int attempt = 0; attempt < 600; ++attempt) {
            WindowSearch search = {process_.dwProcessId, nullptr};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // Asks the window to close and waits (bounded) for the process to end.
    bool CloseAndWait(HWND window, DWORD& exitCode) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(process_.hProcess, &exitCode) != 0;
    }

    // Everything written to standard output; read after the process ended.
    std::string Output() {
        std::string text;
        char buffer[512];
        DWORD read;
        while (ReadFile(output_, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
        return text;
    }

private:
    PROCESS_INFORMATION process_ = {};
    HANDLE output_ = nullptr;
    bool started_ = false;
};

std::string ChildText(HWND window, int id) {
    char text[512] = "";
    HWND child = GetDlgItem(window, id);
    if (child) GetWindowTextA(child, text, sizeof text);
    return text;
}

// Runs the stand-in in `install`, checks the three report lines shown in the
// window and written to standard output, then closes it.
void ExpectReport(TempInstall& install, const char* settings, const char* skin, const char* language) {
    RunningBrowser browser(install.Dir());
    REQUIRE(browser.Started());
    HWND window = browser.WaitForWindow();
    REQUIRE(window != nullptr);

    std::string shown[3] = {ChildText(window, 100), ChildText(window, 101), ChildText(window, 102)};
    CHECK_STR(shown[0].c_str(), settings);
    CHECK_STR(shown[1].c_str(), skin);
    CHECK_STR(shown[2].c_str(), language);

    DWORD exitCode = 99;
    REQUIRE(browser.CloseAndWait(window, exitCode));
    CHECK_NUM(exitCode, 0);
    std::string expected = std::string(settings) + "\r\n" + skin + "\r\n" + language + "\r\n";
    std::string printed = browser.Output();
    CHECK_STR(printed.c_str(), expected.c_str());
}

DWORD Read16(const std::string& b, size_t at) {
    return at + 2 <= b.size() ? static_cast<BYTE>(b[at]) | static_cast<BYTE>(b[at + 1]) << 8 : 0;
}

DWORD Read32(const std::string& b, size_t at) { return Read16(b, at) | Read16(b, at + 2) << 16; }

// Host of a URL starting at `from` (just after "://").
std::string HostAt(const std::string& text, size_t from) {
    size_t end = text.find_first_of("/:?#\r\n", from);
    return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_CASE(standins_settings_file_bytes) {
    std::string text = ReadFileBytes(InstalledDir() + kSettingsName);
    REQUIRE(!text.empty());
    CHECK(text.back() != '\n' && text.back() != '\r');

    int lines = 0;
    int urls = 0;
    std::string skin, lang, keys = "#";
    for (size_t pos = 0; pos <= text.size();) {
        size_t end = text.find("\r\n", pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        ++lines;
        CHECK(line.find_first_of("\r\n") == std::string::npos);  // no lone CR or LF
        size_t hash = line.find('#', 1);
        CHECK(line.size() > 2 && line[0] == '#' && hash != std::string::npos && hash > 1);
        if (hash != std::string::npos) {
            std::string key = line.substr(1, hash - 1), value = line.substr(hash + 1);
            CHECK(!value.empty());
            CHECK(keys.find("#" + key + "#") == std::string::npos);  // keys are unique
            keys += key + "#";
            if (key == "skin") skin = value;
            if (key == "lang") lang = value;
            if (EndsWith(key, "server") || EndsWith(key, "url")) CHECK(value.find("://") != std::string::npos);
        }
        if (end == std::string::npos) break;
        pos = end + 2;
    }
    CHECK_NUM(lines, 25);
    CHECK_STR(skin.c_str(), "default_en.dll");
    CHECK_STR(lang.c_str(), "en.dll");

    for (size_t at = text.find("://"); at != std::string::npos; at = text.find("://", at + 3)) {
        std::string host = HostAt(text, at + 3);
        ++urls;
        if (host != "example.invalid" && !EndsWith(host, ".example.invalid"))
            CHECK_STR(host.c_str(), "(a host under example.invalid)");
    }
    CHECK(urls >= 5);
}

TEST_CASE(standins_libraries_are_resource_only) {
    const char* libraries[] = {"skin\\default_en.dll", "en.dll"};
    for (const char* name : libraries) {
        std::printf("  %s\n", name);
        std::string image = ReadFileBytes(InstalledDir() + name);
        REQUIRE(image.size() > 0x200 && image[0] == 'M' && image[1] == 'Z');
        DWORD peAt = Read32(image, 0x3C);
        REQUIRE(peAt + 24 + 240 < image.size() && std::memcmp(&image[peAt], "PE\0\0", 4) == 0);
        const size_t optional = peAt + 24;
        const size_t sections = optional + Read16(image, peAt + 20);
        const int sectionCount = Read16(image, peAt + 6);
        // The data directories follow 96 (PE32) or 112 (PE32+) bytes of fields.
        const size_t directories = optional + (Read16(image, optional) == 0x20B ? 112 : 96);

        CHECK_NUM(Read32(image, optional + 16), 0);  // no entry point
        CHECK(Read32(image, directories + 2 * 8) != 0);  // a resource directory
        // The import directory, if the linker wrote one, names no library.
        DWORD importRva = Read32(image, directories + 8);
        if (importRva == 0) continue;
        size_t importAt = 0;
        for (int i = 0; i < sectionCount; ++i) {
            size_t header = sections + 40 * i;
            DWORD rva = Read32(image, header + 12), rawSize = Read32(image, header + 16);
            if (importRva >= rva && importRva < rva + rawSize) importAt = Read32(image, header + 20) + importRva - rva;
        }
        REQUIRE(importAt != 0 && importAt + 20 <= image.size());
        CHECK_NUM(Read32(image, importAt + 12), 0);  // name of the first imported library
    }
}

TEST_CASE(standins_browser_carries_icon) {
    HMODULE exe = LoadLibraryExA((InstalledDir() + "quillfen.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE(exe != nullptr);
    HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    CHECK(group != nullptr);
    if (group) {
        // GRPICONDIR: reserved, type 1, count; then 14-byte entries.
        const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(exe, group)));
        CHECK_NUM(SizeofResource(exe, group), 6 + 2 * 14);
        CHECK_NUM(dir[4], 2);
        CHECK_NUM(dir[6], 32);
        CHECK_NUM(dir[6 + 6], 4);      // bits per pixel
        CHECK_NUM(dir[6 + 14], 16);
        CHECK_NUM(dir[6 + 14 + 6], 4);
    }
    HICON icon = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
    CHECK(icon != nullptr);
    if (icon) DestroyIcon(icon);
    FreeLibrary(exe);
}

TEST_CASE(standins_browser_reports_all_loaded) {
    TempInstall install("all");
    REQUIRE(install.Add("quillfen.exe") && install.Add("skin\\default_en.dll") && install.Add("en.dll") &&
            install.Add(kSettingsName));
    ExpectReport(install, kSettingsLine, kSkinLine, kLanguageLine);
}

TEST_CASE(standins_browser_reports_missing_libraries) {
    TempInstall install("nolibs");
    REQUIRE(install.Add("quillfen.exe") && install.Add(kSettingsName));
    ExpectReport(install, kSettingsLine, "Skin: default_en.dll not found", "Language: en.dll not found");
}

TEST_CASE(standins_browser_runs_without_settings) {
    TempInstall install("nosettings");
    REQUIRE(install.Add("quillfen.exe") && install.Add("skin\\default_en.dll") && install.Add("en.dll"));
    ExpectReport(install, "Settings: qf11_default_en.txt not found", "Skin: not named in the settings",
                 "Language: not named in the settings");
}
