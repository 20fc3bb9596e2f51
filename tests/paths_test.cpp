#include "composer/paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    std::string exe;
    std::string settings;
    std::string list;
};

TEST(Paths, SettingsAndListsSitBesideTheExecutable) {
    const PathCase cases[] = {
        {"C:\\tools\\quillnest.exe", "C:\\tools\\quillnest.ini", "C:\\tools\\html.dat"},
        {"C:\\my.tools\\quillnest", "C:\\my.tools\\quillnest.ini", "C:\\my.tools\\html.dat"},
        {"C:\\t\\a.b.exe", "C:\\t\\a.b.ini", "C:\\t\\html.dat"},
        {"quillnest.exe", "quillnest.ini", "html.dat"},
        {"C:quillnest.exe", "C:quillnest.ini", "C:html.dat"},
        {"C:\\tools\\", "C:\\tools\\.ini", "C:\\tools\\html.dat"},
        // 表 ends in 0x5C and ポ in 0x7C: neither is a separator.
        {"C:\\\x95\x5C\\q.exe", "C:\\\x95\x5C\\q.ini", "C:\\\x95\x5C\\html.dat"},
        {"C:\\d\\\x95\x5Cq", "C:\\d\\\x95\x5Cq.ini", "C:\\d\\html.dat"},
        {"C:\\d\\q\x83", "C:\\d\\q\x83.ini", "C:\\d\\html.dat"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(SettingsPathOf(c.exe), c.settings) << c.exe;
        EXPECT_EQ(BesideExecutable(c.exe, "html.dat"), c.list) << c.exe;
    }
}

}  // namespace
