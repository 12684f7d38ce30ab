#include "tools/package/PayloadRules.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "payload/InstallNames.h"
#include "payload/PathMap.h"

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos) return parts;
        start = slash + 1;
    }
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with any extension.
bool IsDeviceName(const std::string& component) {
    std::string base = Lower(component.substr(0, component.find('.')));
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

std::string WindowsPath(const std::string& path) {
    std::string windows = path;
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows;
}

std::string Number(uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

ProgramNames ShippedProgramNames() {
    return {INSTALL_DEFAULT_DRIVE INSTALL_PRODUCT_KEY, INSTALL_MAIN_EXE, INSTALL_ICON_FILE, INSTALL_DISTRIBUTION_TAG,
            INSTALL_UNINSTALLER};
}

std::string PathProblem(const std::string& path) {
    if (path.empty()) return "an empty path";
    for (unsigned char c : path) {
        if (c == ' ') return "a blank in the path (the manifest separates its fields with blanks)";
        if (c == '$') return "a \"$\" in the path (it ends the manifest)";
        if (c < 0x20 || c == 0x7F) return "a control character in the path";
        if (c >= 0x80)
            return "a byte above 127 in the path (the setup's 8-bit paths would read it as another "
                   "character, depending on the Windows code page)";
        if (std::strchr("\\:*?\"<>|", c))
            return "a character Windows does not allow in a file name (\\ : * ? \" < > |)";
    }
    for (const std::string& component : Components(path)) {
        if (component.empty() || component == "." || component == "..") return "an empty or relative path part";
        if (component.back() == '.') return "a name ending with a dot, which Windows drops";
        if (IsDeviceName(component)) return "\"" + component + "\" names a device on Windows";
    }
    return "";
}

std::string InstalledFilePath(const std::string& path, const ProgramNames& names) {
    CString entryName = MapManifestPath(WindowsPath(path).c_str(), names.distributionTag.c_str());
    return names.installFolder + "\\" + static_cast<const char*>(entryName);
}

std::vector<std::string> PayloadProblems(const std::vector<PayloadEntry>& entries, const ProgramNames& names,
                                         const PayloadEntry* addedUninstaller) {
    std::vector<std::string> problems;
    auto problem = [&problems](const std::string& path, const std::string& what) {
        problems.push_back(path + ": " + what);
    };
    std::vector<const PayloadEntry*> all;
    for (const PayloadEntry& entry : entries) all.push_back(&entry);
    if (addedUninstaller) all.push_back(addedUninstaller);

    std::map<std::string, std::string> files;  // lower-case path to path
    std::map<std::string, std::string> folders;
    for (const PayloadEntry* entry : all) {
        const std::string& path = entry->path;
        const std::string lower = Lower(path);
        if (entry != addedUninstaller && addedUninstaller && lower == Lower(names.uninstaller)) {
            problem(path, "the build adds the setup's own " + names.uninstaller + "; the folder must not bring one");
            continue;
        }
        std::string why = PathProblem(path);
        if (!why.empty()) {
            problem(path, why);
            continue;
        }
        if (entry->size >= kMaxPayloadFileSize)
            problem(path, Number(entry->size) + " bytes; a payload file must be smaller than 2 GiB");

        std::vector<std::string> parts = Components(lower);
        if (parts[0] == INSTALL_TEMPORARY_FOLDER)
            problem(path, "\"" INSTALL_TEMPORARY_FOLDER "\" is the setup's temporary folder in the installation "
                          "folder, deleted after every installation");
        if (lower == INSTALL_TAG_FILE) problem(path, "\"" INSTALL_TAG_FILE "\" is the tag file the setup writes itself");
        // Temporary files get short names of their own, so the installed path is the longest one.
        std::string installed = InstalledFilePath(path, names);
        if (WindowsPath(path).compare(0, names.distributionTag.size() + 1, names.distributionTag + "\\") == 0)
            problem(path, "files below a top folder named " + names.distributionTag +
                              " would be installed into the installation folder itself");
        else if (installed.size() > kMaxPathLength)
            problem(path, "its installed file " + installed + " would be " + Number(installed.size()) +
                              " characters long; Windows paths end at " + Number(kMaxPathLength));
        else if (installed.rfind('\\') > kMaxFolderPathLength)
            problem(path, "its folder would be " + Number(installed.rfind('\\')) +
                              " characters long; Windows creates folders of at most " +
                              Number(kMaxFolderPathLength));

        auto same = files.find(lower);
        if (same != files.end())
            problem(path, "the same file on Windows as " + same->second + " (names differ only in case)");
        files.emplace(lower, path);
        std::string folder;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            folder += (i ? "/" : "") + parts[i];
            folders.emplace(folder, path.substr(0, folder.size()));
        }
    }
    for (const auto& folder : folders) {
        auto file = files.find(folder.first);
        if (file != files.end())
            problem(file->second, "a file with the name of the folder " + folder.second + " (names differ only in case)");
    }

    size_t fromList = entries.size();
    if (fromList == 0) problems.push_back("the payload folder holds no files");
    if (all.size() > static_cast<size_t>(kMaxPayloadFiles))
        problems.push_back(Number(all.size()) + " files with " + names.uninstaller + "; a setup carries at most " +
                           Number(kMaxPayloadFiles) + (addedUninstaller ? ", so the folder may hold " +
                                                                              Number(kMaxPayloadFiles - 1)
                                                                        : std::string()));
    const std::string settings = names.distributionTag + ".txt";
    struct Needed {
        const std::string& name;
        const char* role;
    } needed[] = {
        {names.browser, "the browser executable that the shortcuts and the launch start"},
        {names.icon, "the icon that the browser shortcuts show"},
        {settings, "the browser's settings file, named after the sno tag"},
        {names.uninstaller, "the uninstaller that the uninstall entry and shortcut start"},
    };
    for (const Needed& need : needed)
        if (fromList > 0 && files.find(Lower(need.name)) == files.end())
            problems.push_back(need.name + ": missing at the top of the payload; it is " + need.role);
    return problems;
}
