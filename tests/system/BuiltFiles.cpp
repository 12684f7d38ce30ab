#include "tests/system/BuiltFiles.h"

#include <cstdio>
#include <cstdlib>

#include "tests/system/MachineState.h"

bool GetBuiltFiles(BuiltFiles& files) {
    // argv: program, case, then the paths in this order.
    std::string* slots[] = {&files.setup,    &files.uninstaller, &files.browser,        &files.skin,      &files.language,
                            &files.icon,     &files.settings,    &files.zeroEntrySetup, &files.shortSetup};
    const int count = static_cast<int>(sizeof slots / sizeof slots[0]);
    if (__argc < 2 + count) {
        std::printf("usage: system_tests CASE SETUP UNINSTALLER BROWSER SKIN LANGUAGE ICON SETTINGS ZERO_ENTRY_SETUP"
                    " SHORT_SETUP\n");
        return false;
    }
    for (int i = 0; i < count; ++i) {
        *slots[i] = WindowsPath(__argv[2 + i]);
        if (!PathExists(*slots[i])) {
            std::printf("built file not found: %s\n", slots[i]->c_str());
            return false;
        }
    }
    return true;
}
