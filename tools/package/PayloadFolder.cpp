#include "tools/package/PayloadFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string Named(const std::string& relative) { return relative.empty() ? std::string(".") : relative; }

// Adds the files below `relative` (a folder, "" for the top); true if it
// holds at least one file, however deep.
bool ListFolder(const std::string& root, const std::string& relative, std::vector<PayloadEntry>& files,
                std::vector<std::string>& problems) {
    std::string path = relative.empty() ? root : root + "/" + relative;
    DIR* folder = opendir(path.c_str());
    if (!folder) {
        problems.push_back(Named(relative) + ": cannot read the folder: " + std::strerror(errno));
        return false;
    }
    std::vector<std::string> names;
    while (dirent* item = readdir(folder))
        if (std::strcmp(item->d_name, ".") != 0 && std::strcmp(item->d_name, "..") != 0)
            names.push_back(item->d_name);
    closedir(folder);
    std::sort(names.begin(), names.end());

    bool holdsFiles = false;
    for (const std::string& name : names) {
        std::string itemRelative = relative.empty() ? name : relative + "/" + name;
        std::string itemPath = root + "/" + itemRelative;
        struct stat link, target;
        if (lstat(itemPath.c_str(), &link) != 0 || stat(itemPath.c_str(), &target) != 0) {
            problems.push_back(itemRelative + ": a link to nothing, or unreadable: " + std::strerror(errno));
        } else if (S_ISDIR(link.st_mode)) {
            holdsFiles = ListFolder(root, itemRelative, files, problems) || holdsFiles;
        } else if (S_ISDIR(target.st_mode)) {
            problems.push_back(itemRelative + ": a link to a folder; copy the folder in instead");
        } else if (!S_ISREG(target.st_mode)) {
            problems.push_back(itemRelative + ": not a regular file");
        } else {
            int fd = open(itemPath.c_str(), O_RDONLY);
            if (fd < 0)
                problems.push_back(itemRelative + ": cannot read the file: " + std::strerror(errno));
            else
                close(fd);
            files.push_back({itemRelative, itemPath, static_cast<uint64_t>(target.st_size)});
            holdsFiles = true;
        }
    }
    if (!holdsFiles && !relative.empty())
        problems.push_back(relative + ": an empty folder, which the setup cannot make (it installs files)");
    return holdsFiles;
}

}  // namespace

std::vector<PayloadEntry> ListPayloadFolder(const std::string& folder, std::vector<std::string>& problems) {
    std::vector<PayloadEntry> files;
    struct stat info;
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        problems.push_back(folder + ": not a folder");
        return files;
    }
    ListFolder(folder, "", files, problems);
    // Sorted whole paths, so "a/b" and "a.txt" keep one order on every machine.
    std::sort(files.begin(), files.end(),
              [](const PayloadEntry& a, const PayloadEntry& b) { return a.path < b.path; });
    return files;
}
