// The popup hosted in the test process: a real window with a real combo box,
// driven by WM_CHAR as the keyboard would, with a recording editor behind it.
#include "popup/Unit1.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>

#include "fakes.h"
#include "fixture_folder.h"
#include "popup/app_title.h"
#include "platform/platform.h"

namespace {

const char kDesignFont[] = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
// The texts of the boxes as the user reads them, whatever the code page:
// "ファイル " and " は開けません", the error for a list that can't be opened;
// "必要なDATファイルが見当たらない為、終了します。", the notice for a missing list;
// "選択されたテキストには、この環境の文字コードで表せない文字が含まれているため、
// 壊さずに渡せません。終了します。", the notice for an argument the code page can't hold.
const wchar_t kCannotOpenHead[] = L"\u30D5\u30A1\u30A4\u30EB ";
const wchar_t kCannotOpenTail[] = L" \u306F\u958B\u3051\u307E\u305B\u3093";
const wchar_t kMissingFiles[] =
    L"\u5FC5\u8981\u306ADAT\u30D5\u30A1\u30A4\u30EB\u304C\u898B\u5F53\u305F\u3089\u306A\u3044\u70BA"
    L"\u3001\u7D42\u4E86\u3057\u307E\u3059\u3002";
const wchar_t kDamagedArgument[] =
    L"\u9078\u629E\u3055\u308C\u305F\u30C6\u30AD\u30B9\u30C8\u306B\u306F\u3001\u3053\u306E\u74B0"
    L"\u5883\u306E\u6587\u5B57\u30B3\u30FC\u30C9\u3067\u8868\u305B\u306A\u3044\u6587\u5B57\u304C"
    L"\u542B\u307E\u308C\u3066\u3044\u308B\u305F\u3081\u3001\u58CA\u3055\u305A\u306B\u6E21\u305B"
    L"\u307E\u305B\u3093\u3002\u7D42\u4E86\u3057\u307E\u3059\u3002";

// The program declares itself density-aware; so does its host here, or the
// system would hand the popup's geometry back scaled to 96 dpi.
const bool kDensityAware = [] {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    return set ? set(reinterpret_cast<HANDLE>(-4)) != FALSE : SetProcessDPIAware() != FALSE;
}();

std::wstring Widen(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

std::wstring WideText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

std::string Text(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND hwnd) {
    char buffer[256] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// A message box that the UI thread is about to show, read and dismissed from
// a second thread so the modal loop returns.
struct BoxSeen {
    bool shown = false;
    std::wstring caption;
    std::wstring text;
    bool icon = false;
};

class BoxWatcher {
public:
    BoxWatcher() : ui_(GetCurrentThreadId()), thread_([this] { Watch(); }) {}
    BoxSeen Seen() {
        thread_.join();
        return seen_;
    }

private:
    void Watch() {
        for (int tries = 0; tries < 1000 && !seen_.shown; ++tries) {
            EnumThreadWindows(ui_, &BoxWatcher::OnWindow, reinterpret_cast<LPARAM>(this));
            if (!seen_.shown) Sleep(10);
        }
    }
    static BOOL CALLBACK OnWindow(HWND hwnd, LPARAM self) {
        auto* watcher = reinterpret_cast<BoxWatcher*>(self);
        if (ClassOf(hwnd) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
        watcher->seen_.shown = true;
        watcher->seen_.caption = WideText(hwnd);
        EnumChildWindows(hwnd, &BoxWatcher::OnChild, self);
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static BOOL CALLBACK OnChild(HWND child, LPARAM self) {
        auto* watcher = reinterpret_cast<BoxWatcher*>(self);
        if (ClassOf(child) != "Static" || !IsWindowVisible(child)) return TRUE;
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            if (SendMessageA(child, STM_GETICON, 0, 0)) watcher->seen_.icon = true;
        } else if (!WideText(child).empty()) {
            watcher->seen_.text = WideText(child);
        }
        return TRUE;
    }

    DWORD ui_;
    BoxSeen seen_;
    std::thread thread_;
};

bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Handles what the popup posted to itself, such as filling its list; a quit
// request stays queued for the test to see.
// (A quit request is taken out whatever the filter, so it is put back.)
void PumpAllButQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        while (QuitPosted()) {
        }
        folder.Write("html.dat", "table\r\ntbody\r\ntd\r\np\r\n");
        folder.Write("attribute.dat", "class=\"\"\r\nid=\"\"\r\n");
        folder.Write("empty.dat", "br\r\n");
        editor.caret = {200, 300};
    }
    void TearDown() override {
        form.reset();
        while (QuitPosted()) {
        }
    }

    Tquillnest& Build() {
        form = std::make_unique<Tquillnest>(editor);
        EXPECT_TRUE(form->Create(GetModuleHandleA(nullptr)));
        return *form;
    }
    Tquillnest& Started(const std::string& line = "q.exe", const std::wstring& wide = L"q.exe") {
        Build();
        designHeight = WindowRect(form->Handle()).bottom - WindowRect(form->Handle()).top;
        form->Start(folder.ExePath(), line, wide);
        form->Show();
        PumpAllButQuit();
        log.clear();
        return *form;
    }

    HWND Edit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(form->ComboBox1(), &info);
        return info.hwndItem;
    }
    void Type(const std::string& keys) {
        for (char key : keys) SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    std::string Entry() const { return Text(form->ComboBox1()); }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    bool Dropped() const { return SendMessageA(form->ComboBox1(), CB_GETDROPPEDSTATE, 0, 0) != 0; }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        LRESULT n = SendMessageA(form->ComboBox1(), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char buffer[256] = {};
            SendMessageA(form->ComboBox1(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
            items.push_back(buffer);
        }
        return items;
    }
    int Scaled(int v) const { return MulDiv(v, static_cast<int>(GetDpiForWindow(form->Handle())), 96); }
    std::vector<std::string> Inserts() const {
        std::vector<std::string> inserts;
        for (const std::string& call : log)
            if (call.rfind("insert ", 0) == 0) inserts.push_back(call.substr(7));
        return inserts;
    }
    size_t Count(const std::string& call) const { return std::count(log.begin(), log.end(), call); }

    FixtureFolder folder;
    CallLog log;
    RecordingEditor editor{log};
    std::unique_ptr<Tquillnest> form;
    LONG designHeight = 0;
};

TEST_F(PopupWindowTest, BuiltFromTheDesign) {
    Tquillnest& f = Build();
    HWND hwnd = f.Handle();
    EXPECT_EQ(ClassOf(hwnd), "Tquillnest");
    EXPECT_EQ(Text(hwnd), "Quillnest");
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, Scaled(138));
    EXPECT_EQ(client.bottom, Scaled(23));
    RECT outer = WindowRect(hwnd);
    EXPECT_EQ(outer.left, 792);
    EXPECT_EQ(outer.top, 285);

    HWND combo = f.ComboBox1();
    EXPECT_EQ(ClassOf(combo), "ComboBox");
    EXPECT_EQ(GetParent(combo), hwnd);
    LONG comboStyle = GetWindowLongA(combo, GWL_STYLE);
    EXPECT_EQ(comboStyle & 3, CBS_DROPDOWN);
    EXPECT_TRUE(comboStyle & CBS_AUTOHSCROLL);
    EXPECT_FALSE(comboStyle & CBS_SORT);
    RECT box = WindowRect(combo);
    POINT corner{box.left, box.top};
    ScreenToClient(hwnd, &corner);
    EXPECT_EQ(corner.x, Scaled(1));
    EXPECT_EQ(corner.y, 0);
    EXPECT_EQ(box.right - box.left, Scaled(136));
    EXPECT_EQ(box.bottom - box.top, Scaled(20));

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(combo, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -Scaled(12));
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(font.lfFaceName, kDesignFont);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
}

TEST_F(PopupWindowTest, StartUpFillsTheListAndPlacesThePopupBelowTheCaret) {
    Tquillnest& f = Started();
    EXPECT_EQ(Items(), (std::vector<std::string>{"table", "tbody", "td", "p"}));
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.right - outer.left, 215);
    EXPECT_EQ(outer.left, 200);
    EXPECT_EQ(outer.top, 315);
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_FALSE(QuitPosted());
}

TEST_F(PopupWindowTest, SettingsWidthAndOffsetsAreAppliedAsGivenAtTheDesignDensity) {
    folder.Write("quillnest.ini", "[Pos]\r\nWidth=300\r\nTop=10\r\nLeft=-5\r\n");
    Tquillnest& f = Started();
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.left, 195);
    EXPECT_EQ(outer.top, 325);
    RECT client;
    GetClientRect(f.Handle(), &client);
    RECT box = WindowRect(f.ComboBox1());
    // Two pixels narrower than the client area at the design density.
    EXPECT_EQ(box.right - box.left, client.right - (Scaled(138) - Scaled(136)));
    EXPECT_EQ(outer.bottom - outer.top, designHeight);
}

TEST_F(PopupWindowTest, TypingCompletesFromTheListAndOpensIt) {
    Started();
    Type("t");
    EXPECT_EQ(Entry(), "table");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{5}));
    EXPECT_TRUE(Dropped());
    EXPECT_EQ(SendMessageA(form->ComboBox1(), CB_GETCURSEL, 0, 0), 0);
    Type("b");
    EXPECT_EQ(Entry(), "tbody");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{5}));
    EXPECT_EQ(SendMessageA(form->ComboBox1(), CB_GETCURSEL, 0, 0), 1);
    Type("\b");
    EXPECT_EQ(Entry(), "tb");
    Type("x");
    EXPECT_EQ(Entry(), "tbx");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{3}, DWORD{3}));
    // Every key went to the composer first.
    EXPECT_EQ(Count("find"), 4u);
    EXPECT_TRUE(Inserts().empty());
}

// The list opens as tall as the form was built with, after the popup has
// taken the settings' width too.
TEST_F(PopupWindowTest, OpenListKeepsItsHeightWhenThePopupTakesItsWidth) {
    folder.Write("html.dat", "t0\r\nt1\r\nt2\r\nt3\r\nt4\r\nt5\r\nt6\r\nt7\r\nt8\r\nt9\r\nt10\r\nt11\r\n");
    folder.Write("quillnest.ini", "[Pos]\r\nWidth=300\r\n");
    auto openHeight = [this] {
        RECT r{};
        SendMessageA(form->ComboBox1(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.bottom - r.top;
    };
    Build();
    const LONG built = openHeight();
    EXPECT_GT(built, WindowRect(form->ComboBox1()).bottom - WindowRect(form->ComboBox1()).top);
    form->Start(folder.ExePath(), "q.exe", L"q.exe");
    form->Show();
    PumpAllButQuit();
    ASSERT_EQ(WindowRect(form->Handle()).right - WindowRect(form->Handle()).left, 300);
    EXPECT_EQ(openHeight(), built);
    Type("t");
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(openHeight(), built);
}

TEST_F(PopupWindowTest, CompletionIgnoresCaseAndKeepsWhatWasTyped) {
    Started();
    Type("TB");
    EXPECT_EQ(Entry(), "TBody");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{5}));
}

// "a日本" in Shift-JIS: the edit field counts its selection in characters,
// the completion in bytes.
TEST_F(PopupWindowTest, CompletionOfADoubleByteEntrySelectsItsRest) {
    folder.Write("html.dat", "a\x93\xFA\x96\x7B\r\nab\r\n");
    Started();
    Type("a");
    EXPECT_EQ(Entry(), "a\x93\xFA\x96\x7B");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{3}));
    Type("b");
    EXPECT_EQ(Entry(), "ab");
    EXPECT_EQ(SendMessageA(form->ComboBox1(), CB_GETCURSEL, 0, 0), 1);
    Type("\b\bq");
    EXPECT_EQ(Entry(), "q");
}

TEST_F(PopupWindowTest, SpaceWritesTheElementAndTurnsToAttributes) {
    Tquillnest& f = Started();
    Type("p");
    ASSERT_EQ(Entry(), "p");
    SendMessageA(f.ComboBox1(), CB_SHOWDROPDOWN, FALSE, 0);
    editor.caret = {400, 500};
    Type(" ");
    EXPECT_EQ(Inserts(), (std::vector<std::string>{"<p></p>"}));
    EXPECT_EQ(Count("left"), 5u);
    EXPECT_EQ(Count("activate"), 1u);
    EXPECT_EQ(Text(f.Handle()), "Quillnest *attribute");
    EXPECT_EQ(Items(), (std::vector<std::string>{"class=\"\"", "id=\"\""}));
    EXPECT_EQ(Entry(), "");
    EXPECT_TRUE(Dropped());
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.left, 400);
    EXPECT_EQ(outer.top, 515);
    EXPECT_EQ(f.TagComposer().State().Stage, 1);
    EXPECT_FALSE(QuitPosted());

    Type("i");
    EXPECT_EQ(Entry(), "id=\"\"");
    Type("\r");
    EXPECT_EQ(Inserts().back(), " id=\"\"");
    EXPECT_TRUE(QuitPosted());
}

TEST_F(PopupWindowTest, EnterWithAnEmptyEntryOnlyOpensTheList) {
    Tquillnest& f = Started();
    ASSERT_FALSE(Dropped());
    Type("\r");
    EXPECT_TRUE(Inserts().empty());
    EXPECT_TRUE(Dropped());
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(Text(f.Handle()), "Quillnest");
}

TEST_F(PopupWindowTest, EnterWithAnEntryWritesItAndEnds) {
    Started();
    Type("td\r");
    EXPECT_EQ(Inserts(), (std::vector<std::string>{"<td></td>"}));
    EXPECT_EQ(Count("left"), 5u);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(PopupWindowTest, EscapeEndsWithoutWriting) {
    Started();
    Type("ta");
    Type("\x1b");
    EXPECT_TRUE(Inserts().empty());
    EXPECT_TRUE(QuitPosted());
}

TEST_F(PopupWindowTest, CloseBoxEndsTheProgramAndDestroyingReleasesTheComboBox) {
    Tquillnest& f = Started();
    HWND combo = f.ComboBox1();
    SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(IsWindow(f.Handle()));
    HWND hwnd = f.Handle();
    f.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(combo));
    EXPECT_TRUE(Inserts().empty());
}

// Moved onto a screen of 144 dpi: the design sizes and the width from the
// settings follow, and the popup stays below the caret, 15 pixels at 96 dpi
// scaled, rather than where the system suggests.
TEST_F(PopupWindowTest, NewScreenDensityScalesTheDesignAndTheWidthAndKeepsThePlace) {
    folder.Write("quillnest.ini", "[Pos]\r\nWidth=300\r\n");
    Tquillnest& f = Started();
    RECT suggested{40, 50, 40 + 450, 50 + 100};
    SendMessageA(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.left, 200);
    EXPECT_EQ(outer.top, 300 + 23);
    EXPECT_EQ(outer.right - outer.left, 450);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(f.ComboBox1(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -18);
    RECT client;
    GetClientRect(f.Handle(), &client);
    RECT box = WindowRect(f.ComboBox1());
    EXPECT_EQ(box.right - box.left, client.right - (207 - 204));
    EXPECT_EQ(box.bottom - box.top, 30);
    EXPECT_EQ(Items().size(), 4u);
}

// The settings' width and offsets and the gap below the caret are pixels at
// 96 dpi, scaled by the density of the screen that holds the caret. The suite
// runs at 96 dpi and, in a Wine prefix of its own, at 144; QN_SCREEN_DPI
// names the density a run is meant to see.
TEST_F(PopupWindowTest, ScreenDensityScalesTheWidthTheOffsetsAndTheGap) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (const char* meant = std::getenv("QN_SCREEN_DPI")) {
        ASSERT_EQ(dpi, std::atoi(meant));
    }
    auto at = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };

    folder.Write("quillnest.ini", "[Pos]\r\nWidth=200\r\nTop=10\r\nLeft=-6\r\n");
    Tquillnest& f = Started();
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.right - outer.left, at(200));
    EXPECT_EQ(outer.left, 200 + at(-6));
    EXPECT_EQ(outer.top, 300 + at(15 + 10));
    RECT client;
    GetClientRect(f.Handle(), &client);
    RECT box = WindowRect(f.ComboBox1());
    EXPECT_EQ(box.right - box.left, client.right - (Scaled(138) - Scaled(136)));

    Type("p");
    SendMessageA(f.ComboBox1(), CB_SHOWDROPDOWN, FALSE, 0);
    editor.caret = {400, 500};
    Type(" ");
    ASSERT_EQ(Inserts(), (std::vector<std::string>{"<p></p>"}));
    outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.left, 400);
    EXPECT_EQ(outer.top, 500 + at(15));
    EXPECT_EQ(outer.right - outer.left, at(200));
}

// A Japanese user's input method is on for the thread's windows; the entry
// takes its letters straight all the same.
TEST_F(PopupWindowTest, EntryOpensWithTheInputMethodOff) {
    HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    HIMC thread = ImmGetContext(other);
    ASSERT_NE(thread, nullptr);
    ImmSetOpenStatus(thread, TRUE);
    ASSERT_TRUE(ImmGetOpenStatus(thread));

    Started();
    HIMC entry = ImmGetContext(Edit());
    const bool open = entry && ImmGetOpenStatus(entry);
    if (entry) ImmReleaseContext(Edit(), entry);
    EXPECT_FALSE(open);
    Type("t");
    EXPECT_EQ(Entry(), "table");

    ImmSetOpenStatus(thread, FALSE);
    ImmReleaseContext(other, thread);
    DestroyWindow(other);
}

TEST_F(PopupWindowTest, MovePopupMovesItsOwnWindowNotTheFirstFound) {
    Tquillnest& first = Started();
    RecordingEditor otherEditor{log};
    Tquillnest second(otherEditor);
    ASSERT_TRUE(second.Create(GetModuleHandleA(nullptr)));
    SetWindowPos(second.Handle(), HWND_TOP, 50, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_EQ(FindWindowA("Tquillnest", nullptr), second.Handle());
    first.MovePopup(300, 400);
    EXPECT_EQ(WindowRect(first.Handle()).left, 300);
    EXPECT_EQ(WindowRect(first.Handle()).top, 400);
    EXPECT_EQ(WindowRect(second.Handle()).left, 50);
    EXPECT_EQ(WindowRect(second.Handle()).top, 60);
}

TEST_F(PopupWindowTest, NearTheWorkAreasCornerThePopupGoesAboveTheCaret) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    editor.caret = {info.rcWork.right - 10, info.rcWork.bottom - 5};
    Tquillnest& f = Started();
    RECT outer = WindowRect(f.Handle());
    EXPECT_EQ(outer.right, info.rcWork.right);
    EXPECT_EQ(outer.bottom, editor.caret.y);
}

TEST_F(PopupWindowTest, ErrorInAKeyIsShownAndTheProgramCarriesOn) {
    Tquillnest& f = Started();
    folder.Remove("empty.dat");
    Type("p");
    BoxWatcher watcher;
    Type(" ");
    BoxSeen box = watcher.Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.caption, Widen(ApplicationTitle(platform::ModulePath())));
    EXPECT_EQ(box.text, kCannotOpenHead + Widen(folder.Path("empty.dat")) + kCannotOpenTail + L".");
    EXPECT_TRUE(box.icon);
    EXPECT_TRUE(Inserts().empty());
    EXPECT_EQ(Text(f.Handle()), "Quillnest *attribute");
    EXPECT_FALSE(QuitPosted());
    // The popup still takes keys.
    Type("\b\bt");
    EXPECT_EQ(Entry(), "table");
}

TEST_F(PopupWindowTest, ListThatCannotBeReadAtStartUpLeavesAnEmptyPopupOpen) {
    auto hold = folder.HoldOpenForWriting("html.dat");
    BoxWatcher watcher;
    Tquillnest& f = Started();
    BoxSeen box = watcher.Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text, kCannotOpenHead + Widen(folder.Path("html.dat")) + kCannotOpenTail + L".");
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ(WindowRect(f.Handle()).right - WindowRect(f.Handle()).left, 215);
    EXPECT_FALSE(QuitPosted());
}

TEST_F(PopupWindowTest, MissingListNoticeEndsTheProgram) {
    folder.Remove("attribute.dat");
    BoxWatcher watcher;
    Started();
    BoxSeen box = watcher.Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text, kMissingFiles);
    EXPECT_EQ(box.caption, Widen(ApplicationTitle(platform::ModulePath())));
    EXPECT_FALSE(box.icon);
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(Items().empty());
}

// "ā" is in neither code page 932 nor 1252.
TEST_F(PopupWindowTest, ArgumentTheCodePageCannotHoldIsNeverPassedOn) {
    BoxWatcher watcher;
    Started("q.exe caf?", L"q.exe caf\u0101");
    BoxSeen box = watcher.Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text, kDamagedArgument);
    EXPECT_EQ(box.caption, Widen(ApplicationTitle(platform::ModulePath())));
    EXPECT_FALSE(box.icon);
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(Items().empty());
    EXPECT_TRUE(Inserts().empty());
}

TEST_F(PopupWindowTest, ArgumentInTheCodePageBecomesTheContent) {
    // "日本" in Shift-JIS and as wide text.
    Tquillnest& f = Started("q.exe \x93\xFA\x96\x7B", L"q.exe \u65e5\u672c");
    EXPECT_EQ(f.TagComposer().State().Content, "\x93\xFA\x96\x7B");
    Type("p\r");
    EXPECT_EQ(Inserts(), (std::vector<std::string>{"<p>\x93\xFA\x96\x7B</p>"}));
}

}  // namespace
