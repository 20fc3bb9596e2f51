// A fresh folder per test, named in the Windows form the composer uses ("\"
// between folders) on every system, and removed with everything in it at the
// end of the test.
#pragma once

#include <memory>
#include <string>

class FixtureFolder {
public:
    // sub, when given, is a folder made inside the fresh one and used as the
    // fixture's own (to test names with particular bytes).
    explicit FixtureFolder(const std::string& sub = "");
    ~FixtureFolder();
    FixtureFolder(const FixtureFolder&) = delete;
    FixtureFolder& operator=(const FixtureFolder&) = delete;

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
    std::string ExePath() const { return Path("quillnest.exe"); }
    void Write(const std::string& name, const std::string& bytes) const;
    void Remove(const std::string& name) const;
    void MakeFolder(const std::string& name) const;

    // Keeps the file open for writing, as another program would, until the
    // returned object is destroyed.
    class WriteHold;
    std::unique_ptr<WriteHold> HoldOpenForWriting(const std::string& name) const;

private:
    std::string root_;
    std::string folder_;
};

class FixtureFolder::WriteHold {
public:
    virtual ~WriteHold() = default;
};
