#include "Unit1.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "ansi_argument.h"
#include "app_title.h"
#include "completion.h"
#include "composer/word_list.h"
#include "density.h"
#include "placement.h"
#include "platform/platform.h"
#include "wide_text.h"

const char DamagedArgumentMessage[] =
    "\x91\x49\x91\xf0\x82\xb3\x82\xea\x82\xbd\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xc9\x82\xcd"
    "\x81\x41\x82\xb1\x82\xcc\x8a\xc2\x8b\xab\x82\xcc\x95\xb6\x8e\x9a\x83\x52\x81\x5b\x83\x68"
    "\x82\xc5\x95\x5c\x82\xb9\x82\xc8\x82\xa2\x95\xb6\x8e\x9a\x82\xaa\x8a\xdc\x82\xdc\x82\xea"
    "\x82\xc4\x82\xa2\x82\xe9\x82\xbd\x82\xdf\x81\x41\x89\xf3\x82\xb3\x82\xb8\x82\xc9\x93\x6e"
    "\x82\xb9\x82\xdc\x82\xb9\x82\xf1\x81\x42\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb7\x81\x42";

namespace {

const char kClassName[] = "Tquillnest";
const char kDesignCaption[] = "Quillnest";
// "ＭＳ Ｐゴシック"
const char kDesignFont[] = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const char kFormProperty[] = "Tquillnest.form";
// Posted by Show: the element names go into the list once the popup is on
// screen. Posted messages come before typed input, so no key sees the list
// unfilled.
const UINT kFillItemsMessage = WM_APP + 1;

const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

// The form's design, in pixels at 96 dots per inch.
const int kDesignLeft = 792;
const int kDesignTop = 285;
const int kClientWidth = 138;
const int kClientHeight = 23;
const int kComboLeft = 1;
const int kComboWidth = 136;
const int kComboHeight = 20;
const int kItemHeight = 12;
const int kFontHeight = 12;
const int kDropDownCount = 8;

int32_t Clamped(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(std::max(n, 0)) + 1, '\0');
    n = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(n, 0)));
    return text;
}

// The edit field's selection is asked for in characters, the one unit that
// the system and Wine agree on, and turned into bytes here.
EditField ReadEditField(HWND edit) {
    int n = GetWindowTextLengthW(edit);
    std::wstring w(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    n = GetWindowTextW(edit, w.data(), static_cast<int>(w.size()));
    w.resize(static_cast<size_t>(std::max(n, 0)));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EditField field;
    field.text = Narrow(w);
    field.selStart = Narrow(w.substr(0, std::min<size_t>(start, w.size()))).size();
    field.selEnd = Narrow(w.substr(0, std::min<size_t>(end, w.size()))).size();
    return field;
}

void WriteEditField(HWND combo, HWND edit, const EditField& field) {
    SetWindowTextA(combo, field.text.c_str());
    WPARAM start = WideLength(field.text.substr(0, field.selStart));
    LPARAM end = static_cast<LPARAM>(WideLength(field.text.substr(0, field.selEnd)));
    SendMessageW(edit, EM_SETSEL, start, end);
}

// The entry is asked for as wide text: the ANSI form of CB_GETLBTEXT goes
// through a fixed buffer of 512 characters under Wine, which a longer entry
// overruns on the stack.
int FindEntry(HWND combo, const std::string& prefix, std::string& entry) {
    LRESULT index = SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(prefix.c_str()));
    if (index == CB_ERR) return -1;
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return -1;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == CB_ERR) return -1;
    text.resize(std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
    entry = Narrow(text);
    return static_cast<int>(index);
}

}  // namespace

Tquillnest::Tquillnest(EditorBridge& editor)
    : composer_(editor, *this), title_(ApplicationTitle(platform::ModulePath())) {}

Tquillnest::~Tquillnest() { Destroy(); }

bool Tquillnest::Create(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kClassName, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = FormProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        if (!RegisterClassExA(&wc)) return false;
    }
    // Built at its design size for the density of the screen it starts on:
    // under Wine every resize is a round of messages and server calls for
    // the frame, the combo box and its parts.
    SIZE outer = DesignOuterSize(MonitorDpiAt(Point{kDesignLeft, kDesignTop}));
    CreateWindowExA(kExStyle, kClassName, kDesignCaption, kStyle, kDesignLeft, kDesignTop,
                    outer.cx, outer.cy, nullptr, nullptr, instance, this);
    return hwnd_ != nullptr && combo_ != nullptr;
}

void Tquillnest::FormCreate() {
    Start(platform::ModulePath(), platform::CommandLine(), GetCommandLineW());
}

// A first argument that the ANSI code page can't hold would reach the editor
// with "?" in place of its characters: better to write nothing at all.
void Tquillnest::Start(const std::string& exePath, const std::string& commandLine,
                       const std::wstring& wideCommandLine) {
    Guarded([&] {
        if (!ContentFitsAnsi(wideCommandLine)) {
            ShowNotice(DamagedArgumentMessage);
            Terminate();
            return;
        }
        composer_.StartUp(exePath, commandLine);
    });
}

void Tquillnest::Show() {
    if (popupWidth_ && !placement_) FitWidth();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (pendingCount_ != 0) PostMessageA(hwnd_, kFillItemsMessage, 0, 0);
}

void Tquillnest::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Tquillnest::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<Tquillnest*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Tquillnest*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = form->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
    }
    return result;
}

LRESULT Tquillnest::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_SETFOCUS:
        if (combo_) SetFocus(combo_);
        return 0;
    case WM_CLOSE:
        Terminate();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case kFillItemsMessage:
        FillItems();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

// The design is laid out at the density of the screen the window starts on.
bool Tquillnest::OnCreate() {
    dpi_ = WindowDpi(hwnd_);
    if (!CreateComboBox1()) return false;
    ApplyDesignSizes();
    return true;
}

int Tquillnest::Scaled(int designPixels) const { return ScaledTo(designPixels, dpi_); }

bool Tquillnest::CreateComboBox1() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    combo_ = CreateWindowExA(0, WC_COMBOBOXA, "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_HASSTRINGS,
                             Scaled(kComboLeft), 0, Scaled(kComboWidth), OpenHeight(), hwnd_,
                             reinterpret_cast<HMENU>(1), instance, nullptr);
    if (!combo_) return false;
    laidOutOpenHeight_ = OpenHeight();
    SendMessageA(combo_, CB_SETMINVISIBLE, kDropDownCount, 0);
    // Entries may be far longer than an edit field's default limit; a completed
    // entry must fit whole.
    SendMessageA(combo_, CB_LIMITTEXT, 0, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo_, &info) || !info.hwndItem) return false;
    edit_ = info.hwndItem;
    // Names and attributes are typed in ASCII: with an input method on, the
    // letters would go into its composition and Enter would never reach the
    // composer. Entries in other scripts are still picked from the list.
    ImmAssociateContext(edit_, nullptr);
    // An ANSI subclass, so typed characters arrive as the bytes of the code
    // page, a double-byte character as two of them.
    SetPropA(edit_, kFormProperty, this);
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    return true;
}

// The design at the window's density: client area, font, and the combo box
// whose closed height follows its font unless told otherwise. The frame is
// resized only when the density has changed since it was built; its WM_SIZE
// then lays out the combo box.
void Tquillnest::ApplyDesignSizes() {
    HFONT old = font_;
    font_ = CreateFontA(-Scaled(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        kDesignFont);
    SendMessageA(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old) DeleteObject(old);
    SendMessageA(combo_, CB_SETITEMHEIGHT, 0, Scaled(kItemHeight));
    FitClosedHeight();
    SIZE outer = DesignOuterSize(dpi_);
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (r.right - r.left != outer.cx || r.bottom - r.top != outer.cy)
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        OnSize();
}

// The design's client area, or the settings' width once it is known, at dpi.
SIZE Tquillnest::DesignOuterSize(UINT dpi) const {
    SIZE outer = OuterSize(ScaledTo(kClientWidth, dpi), ScaledTo(kClientHeight, dpi), kStyle, kExStyle, dpi);
    if (popupWidth_) outer.cx = ScaledTo(*popupWidth_, dpi);
    return outer;
}

// The selection field's height is set as a content height, and what the
// frame adds to it differs between systems and themes: measure and correct.
// Each correction starts from the height last set, not from the one read
// back, which Wine reports two pixels higher than it was set.
void Tquillnest::FitClosedHeight() {
    LRESULT field = SendMessageA(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (field == CB_ERR) return;
    for (int tries = 0; tries < 3; ++tries) {
        RECT r;
        GetWindowRect(combo_, &r);
        int error = Scaled(kComboHeight) - (r.bottom - r.top);
        if (error == 0 || field + error <= 0) return;
        field += error;
        SendMessageA(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// The height a drop-down combo box is given is that of the box with its list
// open: Wine sizes the list from it (the visual-styles control counts
// entries instead, CB_SETMINVISIBLE).
int Tquillnest::OpenHeight() const { return Scaled(kComboHeight + kDropDownCount * kItemHeight) + 2; }

// ComboBox1 keeps its design margins on both sides and follows the width.
// The margins are scaled apart from the width, so at any density the combo
// box starts at its scaled left and is as wide as designed at design width.
// The open height is given again only when the density has changed it: a
// height other than its closed one makes the combo box resize itself twice.
void Tquillnest::OnSize() {
    if (!combo_) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    int rightMargin = Scaled(kClientWidth) - Scaled(kComboLeft) - Scaled(kComboWidth);
    int width = std::max<int>(0, client.right - Scaled(kComboLeft) - rightMargin);
    int height = OpenHeight();
    if (height == laidOutOpenHeight_) {
        RECT r;
        GetWindowRect(combo_, &r);
        height = r.bottom - r.top;
    }
    laidOutOpenHeight_ = OpenHeight();
    SetWindowPos(combo_, nullptr, Scaled(kComboLeft), 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved onto a screen of another density: the design sizes and the width
// follow it, and a popup placed below the caret goes there again at that
// density rather than where the system would shift it.
void Tquillnest::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi ? dpi : kDesignDpi;
    ApplyDesignSizes();
    if (placement_) Place(dpi_, SWP_NOACTIVATE);
    else SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Tquillnest::FormDestroy() {
    if (edit_ && editProc_) {
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
        RemovePropA(edit_, kFormProperty);
    }
    if (combo_) DestroyWindow(combo_);
    combo_ = edit_ = nullptr;
    editProc_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

LRESULT CALLBACK Tquillnest::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* form = static_cast<Tquillnest*>(GetPropA(hwnd, kFormProperty));
    if (msg == WM_CHAR) return form->OnEditChar(hwnd, wp, lp);
    return CallWindowProcA(form->editProc_, hwnd, msg, wp, lp);
}

// The key goes to the composer first, then to the combo box's completion,
// and reaches the edit field only when neither took it. An error ends the
// key's handling, so the key goes nowhere.
LRESULT Tquillnest::OnEditChar(HWND edit, WPARAM wp, LPARAM lp) {
    WNDPROC editProc = editProc_;
    char key = static_cast<char>(wp);
    FillItems();
    bool handled = ComboKeyPress(key);
    FillItems();
    if (!handled) return 0;
    if (ComboOwnKey(key)) return 0;
    return CallWindowProcA(editProc, edit, WM_CHAR, static_cast<unsigned char>(key), lp);
}

bool Tquillnest::ComboKeyPress(char& key) {
    return Guarded([&] { composer_.HandleKey(key); });
}

// Opening the list selects the whole edit text; the selection the user had
// is put back unless the completion sets its own.
bool Tquillnest::ComboOwnKey(char key) {
    if (!combo_) return false;
    EditField before = ReadEditField(edit_);
    KeyOutcome out = CompleteKey(before, key, [this](const std::string& prefix, std::string& entry) {
        return FindEntry(combo_, prefix, entry);
    });
    if (out.dropDown && !SendMessageA(combo_, CB_GETDROPPEDSTATE, 0, 0)) {
        SendMessageA(combo_, CB_SHOWDROPDOWN, TRUE, 0);
        if (!out.replaceEdit) {
            EditField now = ReadEditField(edit_);
            if (now.text != before.text || now.selStart != before.selStart || now.selEnd != before.selEnd)
                WriteEditField(combo_, edit_, before);
        }
    }
    if (out.entry >= 0) SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(out.entry), 0);
    if (out.replaceEdit) WriteEditField(combo_, edit_, out.edit);
    return out.consumed;
}

template <class Handler>
bool Tquillnest::Guarded(Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const FileOpenError& e) {
        ShowError(e.Text());
    } catch (const std::exception& e) {
        ShowError(UserText().Ansi(e.what()));
    }
    return false;
}

// One pass with the storage reserved and drawing held off: a list of a
// hundred thousand names goes in without a redraw or a regrowth per entry.
void Tquillnest::FillItems() {
    if (pendingCount_ == 0 || !combo_) return;
    SendMessageA(combo_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo_, CB_INITSTORAGE, pendingCount_, static_cast<LPARAM>(pendingItems_.size()));
    const char* item = pendingItems_.c_str();
    for (size_t i = 0; i < pendingCount_; ++i, item += std::strlen(item) + 1) {
        SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(combo_, WM_SETREDRAW, TRUE, 0);
    std::string().swap(pendingItems_);
    pendingCount_ = 0;
}

// Wide boxes: the program's Shift-JIS words read right on any system.
void Tquillnest::ShowError(const UserText& message) {
    MessageBoxW(hwnd_, WideUserText(ErrorBoxUserText(message)).c_str(), Widen(title_).c_str(), MB_ICONSTOP | MB_OK);
}

std::string Tquillnest::GetCaption() { return WindowText(hwnd_); }

void Tquillnest::SetCaption(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

std::string Tquillnest::GetEntryText() { return WindowText(combo_); }

void Tquillnest::SetEntryText(const std::string& text) { SetWindowTextA(combo_, text.c_str()); }

void Tquillnest::ClearItems() {
    pendingItems_.clear();
    pendingCount_ = 0;
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
}

// The combo box takes each entry as a C string: one that holds a NUL ends
// there either way.
void Tquillnest::AddItem(const std::string& text) {
    pendingItems_.append(text.c_str());
    pendingItems_.push_back('\0');
    ++pendingCount_;
}

void Tquillnest::CloseDropDown() { SendMessageA(combo_, CB_SHOWDROPDOWN, FALSE, 0); }

// A hidden popup yet to be placed takes the width with its place, in the
// same resize, or when it shows.
void Tquillnest::SetPopupWidth(int32_t width) {
    popupWidth_ = width;
    if (placement_ || IsWindowVisible(hwnd_)) FitWidth();
}

// Until the caret is known the width follows the window's own density.
void Tquillnest::FitWidth() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    int width = ScaledTo(*popupWidth_, dpi_);
    if (r.right - r.left != width)
        SetWindowPos(hwnd_, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The composer asks for a point at some distance from the caret it has just
// located; the distance and the width are scaled by the density of the
// monitor that holds the caret, the caret point being physical already.
void Tquillnest::PlaceBelowCaret(int32_t left, int32_t top, UINT flags) {
    Point caret = composer_.State().CaretPoint;
    placement_ = Placement{caret, int64_t{left} - caret.x, int64_t{top} - caret.y};
    Place(MonitorDpiAt(caret), flags);
}

void Tquillnest::Place(UINT dpi, UINT flags) {
    const Placement& placement = *placement_;
    const Point caret = placement.caret;
    RECT r;
    GetWindowRect(hwnd_, &r);
    int width = popupWidth_ ? ScaledTo(*popupWidth_, dpi) : r.right - r.left;
    int height = r.bottom - r.top;
    Point at{Clamped(int64_t{caret.x} + ScaledTo(placement.dx, dpi)),
             Clamped(int64_t{caret.y} + ScaledTo(placement.dy, dpi))};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(POINT{caret.x, caret.y}, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoA(monitor, &info)) {
        ScreenRect work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
        at = KeepOnScreen(at, width, height, caret.y, work);
    }
    SetWindowPos(hwnd_, nullptr, at.x, at.y, width, height, SWP_NOZORDER | flags);
}

void Tquillnest::SetPopupOrigin(int32_t left, int32_t top) { PlaceBelowCaret(left, top, SWP_NOACTIVATE); }

// This program's own window: another copy's popup is none of its business.
void Tquillnest::MovePopup(int32_t x, int32_t y) {
    PlaceBelowCaret(x, y, 0);
    SetForegroundWindow(hwnd_);
}

void Tquillnest::ShowNotice(const UserText& text) {
    MessageBoxW(hwnd_, WideUserText(text).c_str(), Widen(title_).c_str(), MB_OK);
}

void Tquillnest::Terminate() { PostQuitMessage(0); }
