// The fixture the fault and isolation suites share: a test folder with the
// program and small lists, the stand-in editor, the program with its exit
// watched from the start, and the waits their cases are built from.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../e2e/harness.h"

namespace faults {

inline const std::string kTags = "p\r\ntable\r\ntbody\r\nbr\r\ndiv\r\n";
inline const std::string kAttributes = "class=\"\"\r\nid=\"\"\r\n";
inline const std::string kEmpties = "br\r\nhr\r\n";

class FaultTest : public ::testing::Test {
protected:
    static void PlaceFilesIn(const e2e::TestFolder& f, const std::string& tags = kTags) {
        f.Copy(e2e::ProgramPath(), "quillnest.exe");
        f.Write("html.dat", tags);
        f.Write("attribute.dat", kAttributes);
        f.Write("empty.dat", kEmpties);
    }

    void PlaceFiles(const std::string& tags = kTags) { PlaceFilesIn(folder, tags); }

    // The stand-in's view is an edit control with the system's default limit
    // of some 30,000 characters; the real editor has none, so lift it.
    void StartEditor(e2e::Editor& e, const e2e::EditorOptions& options) {
        ASSERT_TRUE(e.Start(folder, options)) << "the stand-in editor did not come up";
        if (e.View()) SendMessageA(e.View(), EM_SETLIMITTEXT, 0, 0);
    }

    // The exit code is read through a handle taken while the program runs.
    void StartProgram(const std::string& arguments) {
        ASSERT_TRUE(program.Start(folder, arguments)) << "the program did not start";
        watch.emplace(program.Id());
    }

    // The usual opening: the editor, then the program, then its popup in front.
    void OpenPopup(const e2e::EditorOptions& options, const std::string& arguments) {
        ASSERT_NO_FATAL_FAILURE(StartEditor(editor, options));
        ASSERT_NO_FATAL_FAILURE(StartProgram(arguments));
        ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(program));
    }

    void WaitForFocusedPopup(e2e::Program& p) {
        ASSERT_TRUE(p.WaitForFocusedPopup()) << "no popup in front with the focus in its combo box";
    }

    void WaitForEntry(e2e::Program& p, const std::string& entry) {
        ASSERT_TRUE(e2e::WaitUntil([&] { return p.Entry() == entry; }))
            << "entry now: " << p.Entry().substr(0, 80);
    }

    void WaitForEntry(const std::string& entry) { WaitForEntry(program, entry); }

    // The box shown, its text as expected, then dismissed with Enter.
    void DismissBox(const std::string& text) {
        HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        ASSERT_TRUE(e2e::AnswerBox(box));
    }

    void ExpectEndsCleanly() {
        ASSERT_TRUE(program.WaitForEnd()) << "the program did not end";
        EXPECT_EQ(watch->Code(), 0u);
        if (editor.Frame()) {
            ASSERT_TRUE(editor.Settle());
        }
    }

    e2e::TestFolder folder;
    e2e::Editor editor;
    e2e::Program program;
    std::optional<e2e::ExitWatch> watch;
};

}  // namespace faults
