// Reads the built executable's PE headers: the loader must be able to move
// it (ASLR), its data must not run (DEP), and it must need no DLL beyond the
// system's own. Its version resource and manifest carry the release version.
//
//   pe_check_test PATH_TO_EXE
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string gExePath;

struct Image {
    std::vector<unsigned char> bytes;

    uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); }
    uint32_t U32(size_t at) const { return U16(at) | static_cast<uint32_t>(U16(at + 2)) << 16; }
    size_t Pe() const { return U32(0x3C); }
    size_t Optional() const { return Pe() + 24; }
    uint32_t DirectoryRva(int index) const { return U32(Optional() + 96 + 8 * index); }
    uint32_t DirectorySize(int index) const { return U32(Optional() + 96 + 8 * index + 4); }

    // File offset of a relative virtual address, through the section table.
    size_t Offset(uint32_t rva) const {
        size_t sections = Optional() + U16(Pe() + 20);
        for (int i = 0; i < U16(Pe() + 6); ++i) {
            size_t s = sections + 40 * i;
            uint32_t va = U32(s + 12), size = U32(s + 8), raw = U32(s + 20);
            if (rva >= va && rva < va + size) return raw + (rva - va);
        }
        throw std::out_of_range("rva");
    }

    std::string CString(size_t at) const {
        std::string s;
        while (bytes.at(at) != 0) s += static_cast<char>(bytes.at(at++));
        return s;
    }

    std::set<std::string> ImportedDlls() const {
        std::set<std::string> dlls;
        for (size_t d = Offset(DirectoryRva(1)); U32(d + 12) != 0; d += 20) {
            std::string name = CString(Offset(U32(d + 12)));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            dlls.insert(name);
        }
        return dlls;
    }
};

class Executable : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(gExePath, std::ios::binary);
        ASSERT_TRUE(in) << gExePath;
        image.bytes.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_GT(image.bytes.size(), 0x400u);
        ASSERT_EQ(std::memcmp(&image.bytes[image.Pe()], "PE\0\0", 4), 0);
        ASSERT_EQ(image.U16(image.Optional()), 0x10B) << "not a 32-bit image";
    }
    Image image;
};

TEST_F(Executable, CanBeMovedAndKeepsDataFromRunning) {
    const uint16_t kDynamicBase = 0x0040, kNxCompat = 0x0100;
    uint16_t flags = image.U16(image.Optional() + 70);
    EXPECT_TRUE(flags & kDynamicBase);
    EXPECT_TRUE(flags & kNxCompat);
    EXPECT_GT(image.DirectorySize(5), 0u) << "no relocations: the image can't actually move";
    EXPECT_EQ(image.U16(image.Pe() + 22) & 0x0001, 0) << "relocations stripped";
}

// The loader resolves imports before the program can restrict the DLL
// search, so only the system's known DLLs, which always come from its own
// folder, may be imported; comctl32 and uxtheme are not among them and are
// loaded by the program itself.
TEST_F(Executable, IsAWindowsProgramNeedingOnlySystemDlls) {
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
        "shell32.dll", "ntdll.dll", "imm32.dll", "ole32.dll", "shlwapi.dll",
    };
    EXPECT_EQ(image.U16(image.Optional() + 68), 2) << "subsystem is not GUI";
    std::set<std::string> dlls = image.ImportedDlls();
    EXPECT_TRUE(dlls.count("kernel32.dll"));
    for (const std::string& dll : dlls) EXPECT_TRUE(system.count(dll)) << dll;
}

// The version the build was given (VERSION), as Explorer's properties and
// the manifest show it.
TEST_F(Executable, CarriesTheReleaseVersion) {
    const std::string expected = QN_VERSION;
    DWORD size = GetFileVersionInfoSizeA(gExePath.c_str(), nullptr);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(gExePath.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    for (auto [ms, ls] : {std::pair{fixed->dwFileVersionMS, fixed->dwFileVersionLS},
                          std::pair{fixed->dwProductVersionMS, fixed->dwProductVersionLS}}) {
        const std::string numbers = std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) + "." +
                                    std::to_string(HIWORD(ls)) + "." + std::to_string(LOWORD(ls));
        EXPECT_EQ(numbers, expected + ".0");
    }
    for (const char* key : {"FileVersion", "ProductVersion"}) {
        char* text = nullptr;
        std::string query = std::string("\\StringFileInfo\\041103A4\\") + key;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_EQ(std::string(text), expected) << key;
    }

    HMODULE module = LoadLibraryExA(gExePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const char* manifest = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::string text(manifest, SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_NE(text.find("name=\"Quillnest\" version=\"" + expected + ".0\""), std::string::npos) << text;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: pe_check_test PATH_TO_EXE\n");
        return 2;
    }
    gExePath = argv[1];
    return RUN_ALL_TESTS();
}
