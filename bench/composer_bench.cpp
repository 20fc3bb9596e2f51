// How the cost of the list work grows with the size of a word list: loading a
// list, and the keys that load one. Each runs for lists of 100 to 1,000,000
// entries and reports a fit against N, which must be linear.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "composer/composer.h"
#include "composer/word_list.h"
#include "tests/fixture_folder.h"

namespace {

// An editor that takes everything and keeps nothing: its view is reported
// found, so the keys do their whole work, and every operation does nothing.
class SinkEditor : public EditorBridge {
public:
    void UseEditorClasses(const std::string&, const std::string&) override {}
    bool FindEditorWindows() override { return true; }
    void InsertText(const std::string&) override {}
    void StepCaretLeft() override {}
    void ActivateEditor() override {}
    Point LocateCaret() override { return {}; }
};

// A popup that holds its list entries, as the combo box does, and nothing
// else.
class ListPopup : public PopupView {
public:
    std::string GetCaption() override { return "Quillnest"; }
    void SetCaption(const std::string&) override {}
    std::string GetEntryText() override { return entry; }
    void SetEntryText(const std::string& text) override { entry = text; }
    void ClearItems() override { items.clear(); }
    void AddItem(const std::string& text) override { items.push_back(text); }
    void CloseDropDown() override {}
    void SetPopupWidth(int32_t) override {}
    void SetPopupOrigin(int32_t, int32_t) override {}
    void MovePopup(int32_t, int32_t) override {}
    void ShowNotice(const UserText&) override {}
    void Terminate() override {}

    std::string entry;
    std::vector<std::string> items;
};

const char kSmallList[] = "p\r\ndiv\r\ntable\r\n";

// n distinct entries, none of them "p" or "class", CR LF after each.
std::string ManyEntries(int64_t n) {
    std::string bytes;
    for (int64_t i = 0; i < n; ++i) bytes += "element" + std::to_string(i) + "\r\n";
    return bytes;
}

// One folder per kind of setup, its lists rewritten only when the size
// changes, since the library calls each benchmark several times per size.
class ListFolder {
public:
    // Lists with `big` holding n entries and the other two small.
    const FixtureFolder& With(const std::string& big, int64_t n) {
        if (written_[big] == n) return folder_;
        for (const char* name : {"html.dat", "attribute.dat", "empty.dat"}) {
            folder_.Write(name, name == big ? ManyEntries(n) : std::string(kSmallList));
        }
        written_[big] = n;
        return folder_;
    }

private:
    FixtureFolder folder_;
    std::map<std::string, int64_t> written_;
};

ListFolder& Folder(const std::string& big) {
    static std::map<std::string, std::unique_ptr<ListFolder>> folders;
    auto& folder = folders[big];
    if (!folder) folder = std::make_unique<ListFolder>();
    return *folder;
}

struct Program {
    SinkEditor editor;
    ListPopup popup;
    Composer composer{editor, popup};

    explicit Program(const FixtureFolder& folder) {
        composer.StartUp(folder.ExePath(), "\"" + folder.ExePath() + "\"");
    }

    void Press(char key, const std::string& entry) {
        popup.entry = entry;
        composer.HandleKey(key);
    }
};

// Fits the times against the list size and shows the time per entry, which
// stays level when the growth is linear.
void Sized(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.counters["per_entry"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadWordList(benchmark::State& state) {
    const FixtureFolder& folder = Folder("html.dat").With("html.dat", state.range(0));
    std::string path = folder.Path("html.dat");
    for (auto _ : state) {
        WordList list = LoadWordList(path);
        benchmark::DoNotOptimize(list.data());
    }
    Sized(state);
}

// Enter on an element that is not in a large "empty.dat": every entry is
// compared before the paired element is written.
void BM_EnterInTagStage(benchmark::State& state) {
    Program program(Folder("empty.dat").With("empty.dat", state.range(0)));
    for (auto _ : state) program.Press(kEnter, "p");
    Sized(state);
}

// Space on such an element: the same lookup, then the attribute list. Space
// leaves the tag stage, so every press gets a freshly started program.
void BM_SpaceInTagStage(benchmark::State& state) {
    const FixtureFolder& folder = Folder("empty.dat").With("empty.dat", state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>(folder);
        state.ResumeTiming();
        program->Press(kSpace, "p");
    }
    Sized(state);
}

// Space in the attribute stage: a large "attribute.dat" read into the popup.
void BM_SpaceLoadingAttributes(benchmark::State& state) {
    Program program(Folder("attribute.dat").With("attribute.dat", state.range(0)));
    program.Press(kSpace, "");
    for (auto _ : state) program.Press(kSpace, "class=\"x\"");
    Sized(state);
}

#define QN_LIST_SIZES(bm)                                                                       \
    BENCHMARK(bm)->RangeMultiplier(10)->Range(100, 1000000)->Complexity(benchmark::oN)->Unit( \
        benchmark::kMicrosecond)

QN_LIST_SIZES(BM_LoadWordList);
QN_LIST_SIZES(BM_EnterInTagStage);
QN_LIST_SIZES(BM_SpaceInTagStage);
QN_LIST_SIZES(BM_SpaceLoadingAttributes);

}  // namespace

BENCHMARK_MAIN();
