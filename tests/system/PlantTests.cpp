// What a user without administrator rights can plant before the elevated
// setup runs: links on the installation's path and in its place, hard links
// in a temporary folder left by a killed run, product folders open to
// everyone. Someone else's files stay byte for byte as they were, and the
// product folders end closed.
#include <windows.h>
#include <aclapi.h>

#include <string>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/system/UnixCommand.h"

namespace {

const DWORD kExitInstalled = 0, kExitRolledBack = 1603;
const char kVictims[] = "C:\\qflink-target";
const char kProduct[] = "\\Quillfen\\Quillfen 11.0";

// Whether someone who is not an administrator (Everyone, Authenticated
// Users, Users) may change what is in `folder`, as its DACL reads back.
bool OpenToOthers(const std::string& folder) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return true;
    const DWORD change = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                         FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
    bool open = dacl == nullptr;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE ||
            !(ace->Mask & change))
            continue;
        PSID sid = &ace->SidStart;
        open = open || IsWellKnownSid(sid, WinWorldSid) || IsWellKnownSid(sid, WinAuthenticatedUserSid) ||
               IsWellKnownSid(sid, WinBuiltinUsersSid);
    }
    LocalFree(descriptor);
    return open;
}

// A silent run into `base` whose windows (removal page, report) are closed.
DWORD RunInto(const BuiltFiles& files, const char* base) {
    std::printf("  -s into %s\n", base);
    return RunSilentClosingWindows(files.setup, base).exitCode;
}

}  // namespace

TEST_CASE(system_planted_links_are_not_followed) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    // Someone else's files, which a link could lead the setup's writes to.
    CreateDirectoryA(kVictims, nullptr);
    const std::string victims = kVictims;
    CreateDirectoryA((victims + "\\folder").c_str(), nullptr);
    for (const char* name : {"quillfen.exe", "en.dll", "tag.txt", "stored", "ready", "folder\\keep.txt"})
        REQUIRE(WriteWholeFile(victims + "\\" + name, std::string("someone else's ") + name));
    const auto before = FolderSnapshot(victims);
    const char* const bases[] = {"C:\\qflink1", "C:\\qflink2", "C:\\qflink3", "C:\\qflink4", "C:\\qflink5"};
    // A failed run of this case may have left its links.
    for (const char* base : bases)
        REQUIRE((!PathExists(base) || RunUnixOn("/bin/rm -rf", base, false)) && CreateDirectoryA(base, nullptr));

    // The installation folder, and the product folder above it, are links.
    CreateDirectoryA("C:\\qflink1\\Quillfen", nullptr);
    REQUIRE(MakeSymbolicLink(victims, std::string("C:\\qflink1") + kProduct));
    REQUIRE(MakeSymbolicLink(victims, "C:\\qflink2\\Quillfen"));
    CHECK_NUM(RunInto(files, "C:\\qflink1"), kExitRolledBack);
    CHECK_NUM(RunInto(files, "C:\\qflink2"), kExitRolledBack);

    // Over working installations: a subfolder, the tag file and a payload
    // file are links; a killed run's temporary folder holds hard links.
    for (const char* base : {"C:\\qflink3", "C:\\qflink4", "C:\\qflink5"})
        REQUIRE(RunInto(files, base) == kExitInstalled);
    const std::string skin = std::string("C:\\qflink3") + kProduct + "\\skin";
    DeleteTree(skin);
    REQUIRE(MakeSymbolicLink(victims + "\\folder", skin));
    const std::string four = std::string("C:\\qflink4") + kProduct;
    DeleteFileA((four + "\\sno").c_str());
    DeleteFileA((four + "\\en.dll").c_str());
    REQUIRE(MakeSymbolicLink(victims + "\\tag.txt", four + "\\sno"));
    REQUIRE(MakeSymbolicLink(victims + "\\en.dll", four + "\\en.dll"));
    const std::string five = std::string("C:\\qflink5") + kProduct;
    REQUIRE(CreateDirectoryA((five + "\\install").c_str(), nullptr));
    const char* const leftovers[][2] = {
        {"stored payload", "stored"}, {"ready 0", "quillfen.exe"}, {"ready 2", "en.dll"}, {"ready 6", "ready"}};
    for (const auto& leftover : leftovers)
        REQUIRE(MakeHardLink(victims + "\\" + leftover[1], five + "\\install\\" + leftover[0]));
    CHECK_NUM(RunInto(files, "C:\\qflink3"), kExitRolledBack);
    CHECK_NUM(RunInto(files, "C:\\qflink4"), kExitRolledBack);
    CHECK_NUM(RunInto(files, "C:\\qflink5"), kExitInstalled);
    CheckInstalledFiles(files, five);
    CHECK(FolderSnapshot(victims) == before);

    // Product folders someone made open to everyone are closed, and so are
    // the ones the setup makes.
    const std::string open = std::string("C:\\qfopen") + kProduct;
    REQUIRE(CreateDirectoryA("C:\\qfopen", nullptr) && CreateDirectoryA("C:\\qfopen\\Quillfen", nullptr) &&
            CreateDirectoryA(open.c_str(), nullptr));
    REQUIRE(RunUnix("/bin/chmod 777 \"" + UnixPathOf("C:\\qfopen\\Quillfen") + "\" \"" + UnixPathOf(open) + "\"",
                    [&] { return OpenToOthers(open) && OpenToOthers("C:\\qfopen\\Quillfen"); }));
    CHECK_NUM(RunInto(files, "C:\\qfopen"), kExitInstalled);
    CheckInstalledFiles(files, open);
    for (const std::string& folder : {open, std::string("C:\\qfopen\\Quillfen"), five, std::string("C:\\qflink5\\Quillfen")}) {
        std::printf("  closed: %s\n", folder.c_str());
        CHECK(!OpenToOthers(folder));
    }

    // Windows' calls follow Unix links: they go the Unix way.
    for (const char* base : bases) CHECK(RunUnixOn("/bin/rm -rf", base, false));
}
