// A composer wired to recording fakes, started from a fixture folder that
// holds the three word lists.
#pragma once

#include <gtest/gtest.h>

#include "composer/composer.h"
#include "composer/word_list.h"
#include "fakes.h"
#include "fixture_folder.h"

inline CallLog Steps(int n) { return CallLog(static_cast<size_t>(n), "left"); }

inline CallLog Join(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The editor's share of a log: insertions and caret steps.
inline CallLog EditorWrites(const CallLog& log) {
    CallLog writes;
    for (const std::string& call : log) {
        if (call == "left" || call.rfind("insert ", 0) == 0) writes.push_back(call);
    }
    return writes;
}

// An insertion followed by n caret steps.
inline CallLog Wrote(const std::string& text, int n) { return Join({{"insert " + text}, Steps(n)}); }

class ComposerTest : public ::testing::Test {
protected:
    void WriteLists(const std::string& tags = "p\r\ndiv\r\ntable\r\n",
                    const std::string& attributes = "class=\"\"\r\nid=\"\"\r\n",
                    const std::string& empties = "br\r\nimg\r\n") {
        folder.Write("html.dat", tags);
        folder.Write("attribute.dat", attributes);
        folder.Write("empty.dat", empties);
    }

    // Starts the composer as if run with these arguments after its own path.
    void Start(const std::string& arguments = "") {
        std::string line = "\"" + folder.ExePath() + "\"";
        if (!arguments.empty()) line += " " + arguments;
        composer.StartUp(folder.ExePath(), line);
        log.clear();
    }

    // Types entry into the popup's field, then presses key; returns the key
    // as the combo box would see it afterwards.
    char Press(char key, const std::string& entry) {
        popup.entry = entry;
        composer.HandleKey(key);
        return key;
    }

    FixtureFolder folder;
    CallLog log;
    RecordingEditor editor{log};
    RecordingPopup popup{log};
    Composer composer{editor, popup};
};
