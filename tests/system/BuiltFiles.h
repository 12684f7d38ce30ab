// The built setup programs and the source files of the payload, as passed on
// the test program's command line after the case name.
#pragma once

#include <string>

struct BuiltFiles {
    std::string setup;        // QuillfenSetup.exe, with its payload
    std::string uninstaller;  // uninstall.exe, the same program without payload
    std::string browser;      // quillfen.exe stand-in
    std::string skin;         // default_en.dll
    std::string language;     // en.dll
    std::string icon;         // qf11.ico
    std::string settings;     // qf11_default_en.txt
    std::string zeroEntrySetup;  // setup whose manifest ends with a payload file of 0 bytes
    std::string shortSetup;      // setup whose manifest lists one payload file more than it carries
};

// Filled from the command line; false (with a message) when paths are missing.
bool GetBuiltFiles(BuiltFiles& files);
