// Whole runs: a settings file, three word lists, a command line and a
// sequence of typed entries and keys, driven through StartUp and HandleKey
// against the recording fakes in a real folder. Each key's share of the log
// is checked against what that key may do.
//
// Input: sections separated by 0xFF (a byte that is neither a lead nor a
// trail byte in code page 932): the settings file, html.dat, attribute.dat,
// empty.dat, the command line after the program's path, then one section per
// key: its first byte is the key and the rest the entry typed before it.
// A missing list section leaves that list out. A key byte of 0xFE is no key
// but a mishap between keys: its entry names the list to take away ("a",
// "e") or to turn into a folder ("A", "E"), or "r" to put the lists back;
// "v" closes the editor's view and "V" brings it back.
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "composer/ansi_text.h"
#include "composer/composer.h"
#include "composer/word_list.h"
#include "platform/platform.h"
#include "tests/fakes.h"
#include "tests/fixture_folder.h"

namespace {

const char kSectionEnd = '\xFF';
const char kMishap = '\xFE';
const char* const kLists[] = {"html.dat", "attribute.dat", "empty.dat"};

struct Run {
    std::string settings;
    std::vector<std::string> lists;  // as many as the input gives, up to 3
    std::string arguments;
    std::vector<std::string> keys;   // key byte, then the entry
};

Run Parse(const std::string& input) {
    std::vector<std::string> sections;
    size_t start = 0;
    for (size_t end; (end = input.find(kSectionEnd, start)) != std::string::npos; start = end + 1) {
        sections.push_back(input.substr(start, end - start));
    }
    sections.push_back(input.substr(start));
    Run run;
    run.settings = sections[0];
    for (size_t i = 1; i < sections.size() && i <= 3; ++i) run.lists.push_back(sections[i]);
    if (sections.size() > 4) run.arguments = sections[4];
    for (size_t i = 5; i < sections.size(); ++i) {
        if (!sections[i].empty()) run.keys.push_back(sections[i]);
    }
    return run;
}

// One folder for the whole campaign: each input rewrites its files.
FixtureFolder& Folder() {
    static FixtureFolder folder;
    return folder;
}

void WriteFiles(const Run& run) {
    FixtureFolder& folder = Folder();
    folder.Remove("quillnest.ini");
    if (!run.settings.empty()) folder.Write("quillnest.ini", run.settings);
    for (size_t i = 0; i < 3; ++i) {
        folder.Remove(kLists[i]);
        if (i < run.lists.size()) folder.Write(kLists[i], run.lists[i]);
    }
}

void Mishap(const Run& run, const std::string& what) {
    FixtureFolder& folder = Folder();
    if (what == "r") {
        for (size_t i = 0; i < run.lists.size(); ++i) {
            folder.Remove(kLists[i]);
            folder.Write(kLists[i], run.lists[i]);
        }
        return;
    }
    const char* name = what == "a" || what == "A" ? "attribute.dat" : "empty.dat";
    if (what != "a" && what != "A" && what != "e" && what != "E") return;
    folder.Remove(name);
    if (what == "A" || what == "E") folder.MakeFolder(name);
}

bool IsAscii(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// True when "|" stands in s as a character of its own.
bool HoldsMarker(const std::string& s) {
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) {
        if (CharSize(s, i) == 1 && s[i] == '|') return true;
    }
    return false;
}

// What one key did to the editor, read from its share of the log.
struct KeyEffect {
    std::vector<std::string> inserts;
    int32_t steps = 0;          // caret steps after the last insertion
    int32_t stepsBefore = 0;    // caret steps before any insertion
    bool terminated = false;
    bool moved = false;
};

KeyEffect Effect(const CallLog& log) {
    KeyEffect e;
    for (const std::string& call : log) {
        if (call.rfind("insert ", 0) == 0) {
            e.inserts.push_back(call.substr(7));
            e.steps = 0;
        } else if (call == "left") {
            (e.inserts.empty() ? e.stepsBefore : e.steps) += 1;
        } else if (call == "terminate") {
            e.terminated = true;
        } else if (call.rfind("move ", 0) == 0) {
            e.moved = true;
        }
    }
    return e;
}

// The text left of the editor's caret once the steps are taken, for
// single-byte text (where a step crosses a byte, or a CR LF pair).
std::string LeftOfCaret(const KeyEffect& e) {
    const std::string& text = e.inserts.back();
    size_t at = text.size();
    for (int32_t i = 0; i < e.steps && at > 0; ++i) {
        at -= at >= 2 && text.compare(at - 2, 2, "\r\n") == 0 ? 2 : 1;
    }
    return text.substr(0, at);
}

class KeyChecker {
public:
    KeyChecker(const Run& run, const RunState& state) : run_(run), state_(state) {}

    // Space in the tag stage: the element, with the caret left just after
    // its name, ready for attributes.
    void TagSpace(const std::string& entry, const KeyEffect& e) {
        QN_CHECK(e.inserts.size() == 1);
        CheckStepsFit(entry, e);
        if (!Plain(entry)) return;
        QN_CHECK(LeftOfCaret(e) == "<" + entry);
        std::string empty = "<" + entry + state_.EmptySuffix + ">";
        std::string paired = "<" + entry + ">" + state_.Content + "</" + entry + ">";
        QN_CHECK(e.inserts[0] == (IsEmpty(entry) ? empty : paired));
    }

    // Enter in the tag stage: after an empty element, or between the
    // content and the closing tag of a paired one.
    void TagEnter(const std::string& entry, const KeyEffect& e) {
        QN_CHECK(e.inserts.size() == 1);
        CheckStepsFit(entry, e);
        if (!Plain(entry)) return;
        if (IsEmpty(entry)) {
            QN_CHECK(e.inserts[0] == "<" + entry + state_.EmptySuffix + ">" && e.steps == 0);
        } else {
            QN_CHECK(e.inserts[0] == "<" + entry + ">" + state_.Content + "</" + entry + ">");
            QN_CHECK(LeftOfCaret(e) == "<" + entry + ">" + state_.Content);
        }
    }

private:
    // Whatever the bytes, an element is written whole, and the caret never
    // steps back past the start of it; a "|" typed into a tag name is a
    // marker too, and its place may lie beyond the text once the markers are
    // replaced.
    void CheckStepsFit(const std::string& entry, const KeyEffect& e) {
        const std::string& text = e.inserts.back();
        QN_CHECK(text.front() == '<' && text.back() == '>');
        QN_CHECK(e.stepsBefore == 0);
        if (!HoldsMarker(entry)) QN_CHECK(e.steps <= CountCaretSteps(text));
    }

    bool Plain(const std::string& entry) const {
        return IsAscii(entry) && IsAscii(state_.Content) && !HoldsMarker(entry);
    }

    bool IsEmpty(const std::string& entry) const {
        return run_.lists.size() == 3 && IsEmptyElement(SplitLines(run_.lists[2]), entry);
    }

    const Run& run_;
    const RunState& state_;
};

int32_t Wrapped(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

class Session {
public:
    explicit Session(const Run& run) : run_(run), checker_(run, composer_.State()) {}

    // Returns false once the program has been asked to end.
    bool Start() {
        FixtureFolder& folder = Folder();
        std::string line = "\"" + folder.ExePath() + "\" " + run_.arguments;
        bool failed = false;
        try {
            composer_.StartUp(folder.ExePath(), line);
        } catch (const FileOpenError&) {
            failed = true;
        }
        QN_CHECK(composer_.State().Stage == 0);
        if (run_.lists.size() < 3) {
            QN_CHECK(popup_.terminated && popup_.items.empty());
            return false;
        }
        QN_CHECK(!popup_.terminated);
        const RunState& state = composer_.State();
        QN_CHECK(state.EmptySuffix == (state.XhtmlMode != 0 ? " /" : ""));
        if (!failed) {
            QN_CHECK(popup_.items == SplitLines(run_.lists[0]));
            // Just below the caret, shifted by the offsets; absurd offsets
            // wrap around rather than overflow.
            QN_CHECK(popup_.position.x == Wrapped(int64_t{editor_.caret.x} + state.LeftOffset));
            QN_CHECK(popup_.position.y ==
                     Wrapped(int64_t{editor_.caret.y} + 15 + state.TopOffset));
        }
        return true;
    }

    void SetViewFound(bool found) { editor_.viewFound = found; }

    bool Press(char key, const std::string& entry) {
        popup_.entry = entry;
        log_.clear();
        std::string caption = popup_.caption;
        std::vector<std::string> items = popup_.items;
        int32_t stage = composer_.State().Stage;
        char seen = key;
        bool failed = false;
        try {
            composer_.HandleKey(seen);
        } catch (const FileOpenError&) {
            failed = true;
        }
        QN_CHECK(!log_.empty() && log_[0] == "find");
        QN_CHECK(composer_.State().Stage >= stage);
        if (!editor_.viewFound && !entry.empty() && (key == kSpace || key == kEnter)) {
            NothingButTheNotice(seen, caption, items, stage, failed);
            return true;
        }
        KeyEffect e = Effect(log_);
        if (key == kSpace) {
            Space(entry, e, caption, stage, failed);
        } else if (key == kEnter) {
            Enter(entry, e, stage, failed);
        } else {
            // Escape ends the run with nothing written; other keys do nothing.
            QN_CHECK(seen == key && !failed);
            QN_CHECK(log_ == (key == kEscape ? CallLog{"find", "terminate"} : CallLog{"find"}));
        }
        return !popup_.terminated;
    }

private:
    // With no view to write into, Space and Enter with an entry only tell
    // the user, and leave the popup and the stage for another try.
    void NothingButTheNotice(char seen, const std::string& caption,
                             const std::vector<std::string>& items, int32_t stage, bool failed) {
        const RunState& state = composer_.State();
        QN_CHECK(seen == 0 && !failed);
        QN_CHECK(log_ == (CallLog{"find", "notice " + NoEditorMessage(state.EditorFrameClass,
                                                                      state.EditorViewClass)
                                                          .Bytes()}));
        QN_CHECK(popup_.caption == caption && popup_.items == items && !popup_.terminated);
        QN_CHECK(state.Stage == stage);
    }

    void Space(const std::string& entry, const KeyEffect& e, const std::string& caption,
               int32_t stage, bool failed) {
        QN_CHECK(!e.terminated);
        QN_CHECK(popup_.caption == caption + " *attribute");
        QN_CHECK(composer_.State().Stage == stage + (failed ? 0 : 1));
        if (!failed) QN_CHECK(popup_.items == SplitLines(run_.lists[1]) && popup_.entry.empty());
        if (entry.empty()) {
            QN_CHECK(e.inserts.empty() && e.stepsBefore == 0 && !e.moved);
        } else if (stage != 0) {
            QN_CHECK(e.inserts == std::vector<std::string>{" " + entry} && e.steps == 0);
        } else if (!e.inserts.empty() || !failed) {
            checker_.TagSpace(entry, e);
        }
        // The popup follows the caret whenever something was written.
        QN_CHECK(e.moved == !e.inserts.empty());
    }

    void Enter(const std::string& entry, const KeyEffect& e, int32_t stage, bool failed) {
        QN_CHECK(composer_.State().Stage == stage);
        if (entry.empty() || failed) {
            // Nothing written and the run goes on; only a list that can't be
            // read makes a failure.
            QN_CHECK(e.inserts.empty() && !e.terminated && e.stepsBefore == 0);
            QN_CHECK(!failed || stage == 0);
            return;
        }
        QN_CHECK(e.terminated && log_.back() == "terminate");
        if (stage != 0) {
            QN_CHECK(e.inserts == std::vector<std::string>{" " + entry} && e.steps == 1);
        } else {
            checker_.TagEnter(entry, e);
        }
    }

    const Run& run_;
    CallLog log_;
    RecordingEditor editor_{log_};
    RecordingPopup popup_{log_};
    Composer composer_{editor_, popup_};
    KeyChecker checker_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Run run = Parse(std::string(reinterpret_cast<const char*>(data), size));
    WriteFiles(run);
    Session session(run);
    if (!session.Start()) return 0;
    for (const std::string& key : run.keys) {
        if (key[0] == kMishap) {
            if (key == std::string(1, kMishap) + "v" || key == std::string(1, kMishap) + "V") {
                session.SetViewFound(key[1] == 'V');
            } else {
                Mishap(run, key.substr(1));
            }
            continue;
        }
        // The program ends after the key that asked for it.
        if (!session.Press(key[0], key.substr(1))) break;
    }
    return 0;
}
