#include "tools/package/PayloadFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string Named(const std::string& relative) { return relative.empty() ? std::string(".") : relative; }

// "" when it cannot be resolved, errno telling why.
std::string RealPath(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    std::string resolved = real ? real : "";
    std::free(real);
    return resolved;
}

// Why the link at `path` cannot be carried, or "" when it leads to a file
// inside the payload folder; the packaged setup would otherwise carry files
// the folder's owner never meant to put in it.
std::string LinkProblem(const std::string& path, const std::string& realRoot) {
    std::string target = RealPath(path);
    if (target.empty()) return std::string("cannot follow the link: ") + std::strerror(errno);
    bool inside = target.compare(0, realRoot.size(), realRoot) == 0 &&
                  (realRoot == "/" || target[realRoot.size()] == '/');
    return inside ? "" : "a link to " + target + ", outside the payload folder; copy the file in instead";
}

// Adds the files below `relative` (a folder, "" for the top); true if it
// holds at least one file, however deep.
bool ListFolder(const std::string& root, const std::string& realRoot, const std::string& relative,
                std::vector<PayloadEntry>& files, std::vector<std::string>& problems) {
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
        std::string linkProblem;
        if (lstat(itemPath.c_str(), &link) != 0 || stat(itemPath.c_str(), &target) != 0) {
            problems.push_back(itemRelative + ": a link to nothing, or unreadable: " + std::strerror(errno));
        } else if (S_ISDIR(link.st_mode)) {
            holdsFiles = ListFolder(root, realRoot, itemRelative, files, problems) || holdsFiles;
        } else if (S_ISDIR(target.st_mode)) {
            problems.push_back(itemRelative + ": a link to a folder; copy the folder in instead");
        } else if (!S_ISREG(target.st_mode)) {
            problems.push_back(itemRelative + ": not a regular file");
        } else if (S_ISLNK(link.st_mode) && !(linkProblem = LinkProblem(itemPath, realRoot)).empty()) {
            problems.push_back(itemRelative + ": " + linkProblem);
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
    std::string realRoot = RealPath(folder);
    if (realRoot.empty()) {
        problems.push_back(folder + ": cannot resolve the folder: " + std::strerror(errno));
        return files;
    }
    ListFolder(folder, realRoot, "", files, problems);
    // Sorted whole paths, so "a/b" and "a.txt" keep one order on every machine.
    std::sort(files.begin(), files.end(),
              [](const PayloadEntry& a, const PayloadEntry& b) { return a.path < b.path; });
    return files;
}
