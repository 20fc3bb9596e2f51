#include "fixture_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "composer/ansi_text.h"

namespace {

// Character by character, so the 0x5C second byte of a name like 表 stays.
std::string ToPosix(const std::string& path) {
    std::string out;
    for (size_t i = 0; i < path.size(); i += CharSize(path, i)) {
        bool separator = CharSize(path, i) == 1 && path[i] == '\\';
        out += separator ? std::string("/") : path.substr(i, CharSize(path, i));
    }
    return out;
}

std::string ToWindows(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// An open-file-description write lock: the reader's read lock on the same
// file fails, as a read that denies writers does on Windows.
class PosixWriteHold : public FixtureFolder::WriteHold {
public:
    explicit PosixWriteHold(const std::string& path) : fd_(open(path.c_str(), O_RDWR)) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (fd_ < 0 || fcntl(fd_, F_OFD_SETLK, &lock) != 0) throw std::runtime_error("lock " + path);
    }
    ~PosixWriteHold() override { close(fd_); }

private:
    int fd_;
};

}  // namespace

FixtureFolder::FixtureFolder(const std::string& sub) {
    char pattern[] = "/tmp/quillnest-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
    root_ = pattern;
    std::string folder = root_;
    if (!sub.empty()) {
        folder += "/" + sub;
        mkdir(folder.c_str(), 0700);
    }
    folder_ = ToWindows(folder);
}

FixtureFolder::~FixtureFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void FixtureFolder::Write(const std::string& name, const std::string& bytes) const {
    FILE* f = std::fopen(ToPosix(Path(name)).c_str(), "wb");
    if (!f) throw std::runtime_error("write " + name);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void FixtureFolder::Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove_all(ToPosix(Path(name)), ignored);
}

void FixtureFolder::MakeFolder(const std::string& name) const {
    mkdir(ToPosix(Path(name)).c_str(), 0700);
}

std::unique_ptr<FixtureFolder::WriteHold> FixtureFolder::HoldOpenForWriting(
    const std::string& name) const {
    return std::make_unique<PosixWriteHold>(ToPosix(Path(name)));
}
