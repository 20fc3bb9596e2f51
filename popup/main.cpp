// The program entry: builds the popup, lets it start the composer, shows it
// and dispatches messages until the composer or the close box asks to end.
#include <windows.h>
#include <commctrl.h>

#include "Unit1.h"
#include "bridge/win32_editor_bridge.h"
#include "startup_phases.h"

namespace {

// DLLs loaded from here on come from the system folder only, so a DLL
// dropped beside the program (or in the current folder) is never picked up.
// Looked up at run time: old systems without the call still start.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
}

// The common controls are loaded here, once the search is restricted, and
// not by the loader before the program runs: the loader would look beside
// the program first for them and for the theme library they pull in. The
// theme library goes first, so the controls find it already loaded. Systems
// that don't know the search flag take the names as they are.
void LoadCommonControls() {
    auto load = [](const char* name) {
        HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module ? module : LoadLibraryA(name);
    };
    load("uxtheme.dll");
    using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitCommonControlsExFn>(
        reinterpret_cast<void*>(GetProcAddress(load("comctl32.dll"), "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    if (init) init(&controls);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    MarkPhase("entry");
    RestrictDllSearch();
    LoadCommonControls();
    MarkPhase("common controls loaded");
    WatchStartupMessages();
    StartupBridge editor;
    StartupForm quillnest(editor);
    if (!quillnest.Create(instance)) return 1;
    MarkPhase("window built");
    quillnest.FormCreate();
    MarkPhase("started");
    quillnest.Show();
    MarkPhase("shown");
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        NoteDispatched();
    }
    StopWatchingStartup();
    WritePhases();
    quillnest.Destroy();
    return static_cast<int>(msg.wParam);
}
