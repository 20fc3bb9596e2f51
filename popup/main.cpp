// The program entry: builds the popup, lets it start the composer, shows it
// and dispatches messages until the composer or the close box asks to end.
#include <windows.h>
#include <commctrl.h>

#include "Unit1.h"
#include "bridge/win32_editor_bridge.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Win32EditorBridge editor;
    Tquillnest quillnest(editor);
    if (!quillnest.Create(instance)) return 1;
    quillnest.FormCreate();
    quillnest.Show();
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    quillnest.Destroy();
    return static_cast<int>(msg.wParam);
}
