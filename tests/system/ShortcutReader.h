// Reads a shell link file back through the shell's link object.
#pragma once

#include <string>

struct ShortcutContents {
    bool loaded = false;
    std::string target;
    std::string description;
    std::string iconPath;
    int iconIndex = -1;
    std::string arguments;
};

// COM must be initialised on the calling thread.
ShortcutContents ReadShortcut(const std::string& linkPath);
