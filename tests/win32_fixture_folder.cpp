#include "fixture_folder.h"

#include <windows.h>

#include <stdexcept>

#include "win32_remove_tree.h"

namespace {

class Win32WriteHold : public FixtureFolder::WriteHold {
public:
    explicit Win32WriteHold(const std::string& path)
        : h_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (h_ == INVALID_HANDLE_VALUE) throw std::runtime_error("hold " + path);
    }
    ~Win32WriteHold() override { CloseHandle(h_); }

private:
    HANDLE h_;
};

}  // namespace

FixtureFolder::FixtureFolder(const std::string& sub) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        root_ = std::string(temp) + "quillnest-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(root_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("mkdir " + root_);
    }
    folder_ = root_;
    if (!sub.empty()) {
        folder_ += "\\" + sub;
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
}

FixtureFolder::~FixtureFolder() { RemoveTree(root_); }

void FixtureFolder::Write(const std::string& name, const std::string& bytes) const {
    HANDLE h = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("write " + name);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void FixtureFolder::Remove(const std::string& name) const {
    std::string path = Path(name);
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        RemoveTree(path);
    } else {
        DeleteFileA(path.c_str());
    }
}

void FixtureFolder::MakeFolder(const std::string& name) const {
    CreateDirectoryA(Path(name).c_str(), nullptr);
}

std::unique_ptr<FixtureFolder::WriteHold> FixtureFolder::HoldOpenForWriting(
    const std::string& name) const {
    return std::make_unique<Win32WriteHold>(Path(name));
}
