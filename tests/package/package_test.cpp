// payload-pack as the packaging command runs it: the folders and licences it
// refuses (with the file named, and nothing written), and what it stores.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "payload/Crc32.h"
#include "tools/package/LicenceText.h"

namespace {

std::string g_scratch;

std::string Scratch() {
    if (g_scratch.empty()) {
        char pattern[] = "/tmp/package-test.XXXXXX";
        g_scratch = mkdtemp(pattern);
    }
    return g_scratch;
}

class RemoveScratch : public ::testing::Environment {
public:
    void TearDown() override {
        if (!g_scratch.empty()) std::system(("rm -rf '" + g_scratch + "'").c_str());
    }
};
::testing::Environment* const g_removeScratch = ::testing::AddGlobalTestEnvironment(new RemoveScratch);

void Write(const std::string& path, const std::string& content) {
    std::system(("mkdir -p '" + path.substr(0, path.rfind('/')) + "'").c_str());
    std::ofstream(path, std::ios::binary) << content;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder the setup can carry: the three files the program relies on.
std::string GoodFolder(const std::string& name) {
    std::string folder = Scratch() + "/" + name;
    std::system(("rm -rf '" + folder + "'").c_str());
    Write(folder + "/quillfen.exe", std::string(3000, 'Q'));
    Write(folder + "/qf11.ico", "icon");
    Write(folder + "/qf11_default_en.txt", "#skin#default_en.dll\r\n#lang#en.dll");
    return folder;
}

struct Packed {
    int status;
    std::string errors;
};

Packed Pack(const std::string& folder, const std::string& stage, const std::string& jobs = "2") {
    std::string uninstaller = Scratch() + "/uninstall.exe";
    Write(uninstaller, std::string(5000, 'U'));
    std::string errors = Scratch() + "/errors.txt";
    std::string command = std::string(PAYLOAD_PACK) + " payload --stage '" + stage + "' --szdd-compress " +
                          SZDD_COMPRESS + " --jobs " + jobs +
                          " --folder '" + folder + "' --add-uninstaller '" + uninstaller + "' >/dev/null 2>'" + errors +
                          "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(errors)};
}

struct BadFolder {
    const char* what;
    std::function<void(const std::string&)> make;
    std::string message;  // what the refusal must say, file name included
};

TEST(PayloadPack, RefusesFoldersTheSetupCannotCarryAndWritesNothing) {
    // Installed below C:\Quillfen\Quillfen 11.0\ (26 characters): folders of 247 and files of 259 at most.
    const std::string deepest = std::string(110, 'd') + "/" + std::string(110, 'e');  // 247 in all
    const std::string longest = deepest + "/" + std::string(7, 'n') + ".dll";         // 259 in all
    const std::string tooLong = deepest + "/" + std::string(8, 'n') + ".dll";
    const std::string tooDeep = deepest + "e/a";
    const std::string outside = Scratch() + "/secret.key";
    const BadFolder cases[] = {
        {"101 files with the uninstaller",
         [](const std::string& f) { for (int i = 0; i < 97; ++i) Write(f + "/lib/" + std::to_string(i) + ".dll", "x"); },
         "101 files with uninstall.exe; a setup carries at most 100, so the folder may hold 99"},
        {"a blank", [](const std::string& f) { Write(f + "/read me.txt", "x"); }, "read me.txt: a blank in the path"},
        {"a dollar", [](const std::string& f) { Write(f + "/a$b.txt", "x"); }, "a$b.txt: a \"$\" in the path"},
        {"a control character", [](const std::string& f) { Write(f + "/a\tb", "x"); }, "a\tb: a control character"},
        {"an 8-bit byte", [](const std::string& f) { Write(f + "/caf\xC3\xA9.txt", "x"); },
         "caf\xC3\xA9.txt: a byte above 127"},
        {"a backslash", [](const std::string& f) { Write(f + "/a\\b.dll", "x"); },
         "a\\b.dll: a character Windows does not allow"},
        {"a device name", [](const std::string& f) { Write(f + "/skin/Aux.dll", "x"); }, "skin/Aux.dll: \"Aux.dll\" names a device"},
        {"a trailing dot", [](const std::string& f) { Write(f + "/notes.", "x"); }, "notes.: a name ending with a dot"},
        {"names differing in case", [](const std::string& f) { Write(f + "/Skin/a.dll", "1"), Write(f + "/skin/A.dll", "2"); },
         "skin/A.dll: the same file on Windows as Skin/a.dll"},
        {"2 GiB", [](const std::string& f) { Write(f + "/big.pak", ""), truncate((f + "/big.pak").c_str(), 1ll << 31); },
         "big.pak: 2147483648 bytes; a payload file must be smaller than 2 GiB"},
        {"an installed file of 260 characters", [&tooLong](const std::string& f) { Write(f + "/" + tooLong, "x"); },
         tooLong + ": its installed file C:\\Quillfen\\Quillfen 11.0\\" + std::string(110, 'd') + "\\" +
             std::string(110, 'e') + "\\nnnnnnnn.dll would be 260 characters long; Windows paths end at 259"},
        {"a folder of 248 characters", [&tooDeep](const std::string& f) { Write(f + "/" + tooDeep, "x"); },
         tooDeep + ": its folder would be 248 characters long; Windows creates folders of at most 247"},
        {"its own uninstaller", [](const std::string& f) { Write(f + "/Uninstall.exe", "x"); },
         "Uninstall.exe: the build adds the setup's own uninstall.exe"},
        {"the temporary folder", [](const std::string& f) { Write(f + "/install/x.dll", "x"); },
         "install/x.dll: \"install\" is the setup's temporary folder"},
        {"the tag file", [](const std::string& f) { Write(f + "/sno", "x"); }, "sno: \"sno\" is the tag file"},
        {"the tag folder", [](const std::string& f) { Write(f + "/qf11_default_en/a.txt", "x"); },
         "qf11_default_en/a.txt: files below a top folder named qf11_default_en"},
        {"no browser", [](const std::string& f) { unlink((f + "/quillfen.exe").c_str()); },
         "quillfen.exe: missing at the top of the payload; it is the browser executable"},
        {"no settings", [](const std::string& f) { unlink((f + "/qf11_default_en.txt").c_str()); },
         "qf11_default_en.txt: missing at the top of the payload"},
        {"no files", [](const std::string& f) { std::system(("rm -rf '" + f + "'/*").c_str()); },
         "the payload folder holds no files"},
        {"an empty subfolder", [](const std::string& f) { mkdir((f + "/plugins").c_str(), 0755); },
         "plugins: an empty folder"},
        {"a link to a folder", [](const std::string& f) { symlink("/tmp", (f + "/tmp").c_str()); },
         "tmp: a link to a folder"},
        {"a link to nothing", [](const std::string& f) { symlink("/nonexistent", (f + "/gone.dll").c_str()); },
         "gone.dll: a link to nothing"},
        {"a link to a file outside", [&outside](const std::string& f) {
             Write(outside, "key"), symlink("../secret.key", (f + "/secret.key").c_str());
         }, "secret.key: a link to " + outside + ", outside the payload folder; copy the file in instead"},
    };
    for (const BadFolder& bad : cases) {
        SCOPED_TRACE(bad.what);
        std::string folder = GoodFolder("bad");
        bad.make(folder);
        std::string stage = Scratch() + "/stage-refused";
        Packed packed = Pack(folder, stage);
        EXPECT_EQ(packed.status, 1);
        EXPECT_NE(packed.errors.find(std::string("payload-pack: refused: ") + bad.message), std::string::npos)
            << packed.errors;
        EXPECT_NE(access(stage.c_str(), F_OK), 0) << "something was written";
    }
    // Just inside the limits: 99 files, one of them a link to a file inside, and the longest path in the deepest folder.
    std::string full = GoodFolder("full");
    Write(full + "/" + longest, "x");
    for (int i = 0; i < 94; ++i) Write(full + "/lib/" + std::to_string(i) + ".dll", "x");
    symlink("../qf11.ico", (full + "/lib/icon.ico").c_str());
    EXPECT_EQ(Pack(full, Scratch() + "/stage-full").status, 0);

    // A stage that cannot be made.
    Packed packed = Pack(GoodFolder("good"), Scratch() + "/uninstall.exe/stage");
    EXPECT_EQ(packed.status, 1);
    EXPECT_NE(packed.errors.find("uninstall.exe/stage: cannot make the folder"), std::string::npos) << packed.errors;
}

// Each file in its smaller form, the same bytes however many compressions
// run at a time, in sorted order with the uninstaller last.
TEST(PayloadPack, StoresTheSmallerFormTheSameOnEveryMachine) {
    std::string folder = GoodFolder("good");
    std::string random;
    for (unsigned i = 0, x = 12345; i < 20000; ++i) random += static_cast<char>((x = x * 1103515245 + 12345) >> 23);
    Write(folder + "/data/archive.gz", random);
    Write(folder + "/data/old.dl_", std::string("SZDD\x88\xF0\x27\x33", 8) + "already packed");
    Write(folder + "/docs/empty.txt", "");

    std::string one = Scratch() + "/stage-one", three = Scratch() + "/stage-three";
    ASSERT_EQ(Pack(folder, one, "1").status, 0);
    ASSERT_EQ(Pack(folder, three, "3").status, 0);
    const char* const order[] = {"data/archive.gz", "data/old.dl_", "docs/empty.txt", "qf11.ico",
                                 "qf11_default_en.txt", "quillfen.exe", "uninstall.exe"};
    std::string listing;
    for (int i = 0; i < 7; ++i) {
        std::string stored = "/" + std::to_string(900 + i) + ".bin";
        EXPECT_EQ(Read(one + stored), Read(three + stored)) << order[i];
        listing += one + stored + "|" + order[i] + "|";
        std::string original = Read(folder + "/" + order[i]);
        if (i == 6) original = Read(Scratch() + "/uninstall.exe");
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(Crc32(original.data(), original.size())));
        listing += std::string(crc) + "\n";
    }
    EXPECT_EQ(Read(one + "/entries.txt"), listing);
    auto compressed = [&one](int i) { return Read(one + "/" + std::to_string(900 + i) + ".bin").compare(0, 4, "SZDD") == 0; };
    EXPECT_EQ(Read(one + "/900.bin"), random);  // incompressible: plain
    EXPECT_TRUE(compressed(1));                  // plain, LZ32 would expand it
    EXPECT_EQ(Read(one + "/902.bin"), "");
    EXPECT_TRUE(compressed(5));
    EXPECT_LT(Read(one + "/905.bin").size(), 3000u);
}

TEST(LicenceText, CarriedWithCrLfAndTheTerminator) {
    std::string resource, problem;
    ASSERT_TRUE(LicenceResourceText("\xEF\xBB\xBFTerms \xC2\xA9 2024\nline two\rline three\r\nend", resource, problem));
    EXPECT_EQ(resource, "Terms \xA9 2024\r\nline two\r\nline three\r\nend\r\n$\r\n");
    ASSERT_TRUE(LicenceResourceText("Windows-1252 \xA9\r\n", resource, problem));
    EXPECT_EQ(resource, "Windows-1252 \xA9\r\n$\r\n");

    const char* const refused[][2] = {{"costs $5\n", "\"$\""},
                                      {"a\0b", "zero byte"},
                                      {" \r\n\t", "empty"},
                                      {"one\ntwo \xE4\xB8\xAD\n", "line 2 holds a character"}};
    for (const auto& licence : refused) {
        std::string text(licence[0], licence[0][0] == 'a' ? 3 : std::strlen(licence[0]));
        EXPECT_FALSE(LicenceResourceText(text, resource, problem)) << licence[0];
        EXPECT_NE(problem.find(licence[1]), std::string::npos) << problem;
    }
}

}  // namespace
