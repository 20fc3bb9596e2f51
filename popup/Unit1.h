// The popup form: the program's only window, a small dialog-style frame
// holding one editable drop-down list, ComboBox1. It is the composer's
// PopupView and hands it every character typed into the combo box.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "composer/composer.h"

// "選択されたテキストには、この環境の文字コードで表せない文字が含まれているため、
// 壊さずに渡せません。終了します。" in Shift-JIS.
extern const char DamagedArgumentMessage[];

class Tquillnest : public PopupView {
public:
    explicit Tquillnest(EditorBridge& editor);
    ~Tquillnest() override;
    Tquillnest(const Tquillnest&) = delete;
    Tquillnest& operator=(const Tquillnest&) = delete;

    // Builds the window and its combo box from the design, hidden, at the
    // design position. False when the system refuses the window.
    bool Create(HINSTANCE instance);
    // The creation handler: starts the composer once the form is built, with
    // this process's executable path and command line.
    void FormCreate();
    // The same for a given executable path and command line, in the ANSI
    // code page and as the system's wide text.
    void Start(const std::string& exePath, const std::string& commandLine,
               const std::wstring& wideCommandLine);
    void Show();
    // Destroys the window; FormDestroy runs on the way.
    void Destroy();

    HWND Handle() const { return hwnd_; }
    HWND ComboBox1() const { return combo_; }
    const std::string& Title() const { return title_; }
    const Composer& TagComposer() const { return composer_; }

    std::string GetCaption() override;
    void SetCaption(const std::string& text) override;
    std::string GetEntryText() override;
    void SetEntryText(const std::string& text) override;
    void ClearItems() override;
    void AddItem(const std::string& text) override;
    void CloseDropDown() override;
    void SetPopupWidth(int32_t width) override;
    void SetPopupOrigin(int32_t left, int32_t top) override;
    void MovePopup(int32_t x, int32_t y) override;
    void ShowNotice(const UserText& text) override;
    void Terminate() override;

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnEditChar(HWND edit, WPARAM wp, LPARAM lp);

    bool OnCreate();
    bool CreateComboBox1();
    void ApplyDesignSizes();
    SIZE DesignOuterSize(UINT dpi) const;
    void FitWidth();
    void FitClosedHeight();
    void OnSize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void FormDestroy();
    bool ComboKeyPress(char& key);
    bool ComboOwnKey(char key);
    void PlaceBelowCaret(int32_t left, int32_t top, UINT flags);
    void Place(UINT dpi, UINT flags);
    int Scaled(int designPixels) const;
    int OpenHeight() const;

    template <class Handler>
    bool Guarded(Handler&& handler);
    void ShowError(const UserText& message);
    void FillItems();

    Composer composer_;
    std::string title_;
    HWND hwnd_ = nullptr;
    HWND combo_ = nullptr;
    HWND edit_ = nullptr;
    WNDPROC editProc_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    // The open height the combo box was last given.
    int laidOutOpenHeight_ = 0;
    // The settings' width, in pixels at 96 dpi; none before it is set.
    std::optional<int32_t> popupWidth_;
    // Where the popup was last asked to go: a distance from the caret, in
    // pixels at 96 dpi, kept so that a change of density places it afresh.
    struct Placement {
        Point caret;
        int64_t dx = 0;
        int64_t dy = 0;
    };
    std::optional<Placement> placement_;
    // Entries added since the list was last filled, each ended by a NUL: one
    // buffer rather than an object per entry, since a list may hold a hundred
    // thousand of them.
    std::string pendingItems_;
    size_t pendingCount_ = 0;
};
