// quillnest.exe keeps to itself: a whole run leaves no file beside it and no
// registry entry behind, and two copies open at once each write only their
// own element. Each case ends with the editor's text checked whole.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fault_fixture.h"

namespace {

using e2e::ExitWatch;
using e2e::Program;
using e2e::Selection;
using e2e::TestFolder;

// Snapshots as flat maps from a name to what it holds, so two can be told
// apart entry by entry.
using Snapshot = std::map<std::string, std::string>;

// Every entry of a folder, with its size and last-write time.
Snapshot FolderSnapshot(const std::string& path) {
    Snapshot files;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return files;
    do {
        std::ostringstream what;
        what << "attributes " << found.dwFileAttributes << ", size "
             << ((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow)
             << ", written " << found.ftLastWriteTime.dwHighDateTime << ":" << found.ftLastWriteTime.dwLowDateTime;
        files[found.cFileName] = what.str();
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return files;
}

std::string ValueText(DWORD type, const std::vector<BYTE>& data) {
    std::ostringstream text;
    text << "type " << type << ": ";
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        text << '"' << std::string(data.begin(), data.end()).c_str() << '"';
    } else {
        static const char kHex[] = "0123456789abcdef";
        for (BYTE b : data) text << kHex[b >> 4] << kHex[b & 15];
    }
    return text.str();
}

// A key's values as "key : value" entries and the key itself as "key\", then
// its subkeys. Read through the registry API: wineserver writes its files
// only now and then, so they can lag behind.
void AddKey(HKEY parent, const std::string& sub, const std::string& name, Snapshot& out, int depth = 0) {
    HKEY key;
    // The 64-bit view holds the 32-bit one under Wow6432Node; a 32-bit
    // system ignores the flag.
    if (RegOpenKeyExA(parent, sub.empty() ? nullptr : sub.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
        out[name + "\\"] = "(cannot be opened)";
        return;
    }
    out[name + "\\"] = "";
    DWORD subkeys = 0, longestSub = 0, values = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSub, nullptr, &values, &longestName,
                     &longestData, nullptr, nullptr);
    std::vector<char> valueName(longestName + 2);
    std::vector<BYTE> data(longestData + 2);
    for (DWORD i = 0;; i++) {
        DWORD nameSize = static_cast<DWORD>(valueName.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        LONG r = RegEnumValueA(key, i, valueName.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (r != ERROR_SUCCESS) break;
        out[name + " : " + std::string(valueName.data(), nameSize)] =
            ValueText(type, std::vector<BYTE>(data.begin(), data.begin() + dataSize));
    }
    std::vector<std::string> children;
    std::vector<char> childName(longestSub + 2);
    for (DWORD i = 0;; i++) {
        DWORD size = static_cast<DWORD>(childName.size());
        if (RegEnumKeyExA(key, i, childName.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(childName.data(), size);
    }
    // Link keys could lead round in a circle.
    if (depth < 40)
        for (const std::string& child : children) AddKey(key, child, name + "\\" + child, out, depth + 1);
    RegCloseKey(key);
}

// HKEY_USERS holds HKEY_CURRENT_USER as the user's own subkey, and the
// default user's settings beside it.
Snapshot RegistrySnapshot() {
    Snapshot entries;
    AddKey(HKEY_USERS, "", "HKU", entries);
    AddKey(HKEY_LOCAL_MACHINE, "Software", "HKLM\\Software", entries);
    return entries;
}

// Wine makes this key, empty and volatile, the first time any program in a
// session reads a mouse setting (a bare GetDoubleClickTime() call is enough;
// in a run it shows up at Space, as the editor and the popup swap the
// foreground). It comes of a read, not a write, so the key itself is left
// out; values in it would still count.
void LeaveOutWineMouseKey(Snapshot& entries) {
    const std::string kTail = "\\Software\\Wine\\Temporary System Parameters\\Control Panel\\Mouse\\";
    for (auto it = entries.begin(); it != entries.end();) {
        bool mouseKey = it->first.size() > kTail.size() && it->first.compare(0, 4, "HKU\\") == 0 &&
                        it->first.compare(it->first.size() - kTail.size(), kTail.size(), kTail) == 0;
        it = mouseKey ? entries.erase(it) : std::next(it);
    }
}

// The first differences, one to a line.
std::string Differences(const Snapshot& before, const Snapshot& after) {
    std::ostringstream text;
    int shown = 0, total = 0;
    auto note = [&](const std::string& line) {
        if (shown++ < 10) text << "  " << line << "\n";
        total++;
    };
    for (const auto& [name, was] : before) {
        auto now = after.find(name);
        if (now == after.end()) note("gone: " + name + " = " + was);
        else if (now->second != was) note("changed: " + name + " = " + was + " -> " + now->second);
    }
    for (const auto& [name, is] : after)
        if (!before.count(name)) note("new: " + name + " = " + is);
    if (total > shown) text << "  and " << (total - shown) << " more\n";
    return text.str();
}

class IsolationTest : public faults::FaultTest {
protected:
    // The popup takes the foreground twice on showing, once as it is shown and
    // once more straight after; a message sent to it is handled only once it
    // is through both, so a later switch to the other copy is not undone.
    void WaitUntilStarted(Program& p) {
        ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(p));
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(p.Popup(), WM_NULL, 0, 0, SMTO_NORMAL, e2e::kWaitBound, &ignored));
    }
};

TEST_F(IsolationTest, RunWritesNoFileAndNoRegistryEntry) {
    PlaceFiles();
    ASSERT_NO_FATAL_FAILURE(StartEditor(editor, {"", -1, -1, ""}));
    // Taken once the editor is up, so only what the program does counts.
    const Snapshot filesBefore = FolderSnapshot(folder.Path());
    Snapshot registryBefore = RegistrySnapshot();
    ASSERT_GT(registryBefore.size(), 100u) << "the registry could not be read";

    ASSERT_NO_FATAL_FAILURE(StartProgram("abc"));
    ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(program));
    e2e::Type("p ");
    ASSERT_TRUE(e2e::WaitUntil([&] {
        return program.Caption() == "Quillnest *attribute" && GetForegroundWindow() == program.Popup();
    })) << "caption now: " << program.Caption();
    e2e::Type("c");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("class=\"\""));
    e2e::Type("\r");
    ASSERT_NO_FATAL_FAILURE(ExpectEndsCleanly());
    EXPECT_EQ(editor.Text(), "<p class=\"\">abc</p>");
    EXPECT_EQ(editor.GetSelection(), (Selection{10, 10}));

    const Snapshot filesAfter = FolderSnapshot(folder.Path());
    EXPECT_TRUE(filesAfter == filesBefore) << "the program's folder:\n" << Differences(filesBefore, filesAfter);
    Snapshot registryAfter = RegistrySnapshot();
    LeaveOutWineMouseKey(registryBefore);
    LeaveOutWineMouseKey(registryAfter);
    EXPECT_TRUE(registryAfter == registryBefore) << "the registry:\n" << Differences(registryBefore, registryAfter);
}

// Each copy writes at the editor's caret as it finds it at its own Enter, so
// the second element lands after the first, not where the caret stood when
// both copies started.
TEST_F(IsolationTest, TwoOpenCopiesUsedOneAfterTheOther) {
    TestFolder otherFolder{"other"};
    PlaceFiles();
    PlaceFilesIn(otherFolder);
    ASSERT_NO_FATAL_FAILURE(StartEditor(editor, {"say hello now", 4, 9, ""}));

    Program first, second;
    ASSERT_TRUE(first.Start(folder, "hello"));
    ExitWatch firstWatch(first.Id());
    ASSERT_NO_FATAL_FAILURE(WaitUntilStarted(first));
    ASSERT_TRUE(second.Start(otherFolder, ""));
    ExitWatch secondWatch(second.Id());
    ASSERT_NO_FATAL_FAILURE(WaitUntilStarted(second));

    SetForegroundWindow(first.Popup());
    ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(first));
    e2e::Type("p");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry(first, "p"));
    e2e::Type("\r");
    ASSERT_TRUE(first.WaitForEnd()) << "the first copy did not end";
    EXPECT_EQ(firstWatch.Code(), 0u);
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.Text(), "say <p>hello</p> now");
    EXPECT_EQ(editor.GetSelection(), (Selection{12, 12}));
    ASSERT_TRUE(second.Running());
    EXPECT_EQ(second.Entry(), "");

    SetForegroundWindow(second.Popup());
    ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(second));
    e2e::Type("d");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry(second, "div"));
    e2e::Type("\r");
    ASSERT_TRUE(second.WaitForEnd()) << "the second copy did not end";
    EXPECT_EQ(secondWatch.Code(), 0u);
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.Text(), "say <p>hello<div></div></p> now");
    EXPECT_EQ(editor.GetSelection(), (Selection{17, 17}));
}

}  // namespace
