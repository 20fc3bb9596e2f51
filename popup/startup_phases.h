// Start-up phases, timed only in a build made to measure them
// (-DQN_PHASE_LOG=ON, see scripts/bench-startup.sh and perf/phase_marks.h).
// In the ordinary build every call here is empty and the form and bridge are
// the plain ones.
#pragma once

#include "Unit1.h"
#include "bridge/win32_editor_bridge.h"

#ifdef QN_PHASE_LOG

#include "perf/phase_marks.h"

// Marks the first of each message that builds, sizes, shows and fills the
// window.
void WatchStartupMessages();
void StopWatchingStartup();
void NoteDispatched();

// The composer's calls into the popup and the bridge show where StartUp is.
class TimedQuillnest : public Tquillnest {
public:
    using Tquillnest::Tquillnest;
    void SetPopupWidth(int32_t width) override;
    void AddItem(const std::string& text) override;
    void SetPopupOrigin(int32_t left, int32_t top) override;

private:
    bool listStarted_ = false;
};

class TimedEditorBridge : public Win32EditorBridge {
public:
    Point LocateCaret() override;
};

using StartupForm = TimedQuillnest;
using StartupBridge = TimedEditorBridge;

#else

inline void MarkPhase(const char*) {}
inline void WatchStartupMessages() {}
inline void StopWatchingStartup() {}
inline void NoteDispatched() {}
inline void WritePhases() {}
using StartupForm = Tquillnest;
using StartupBridge = Win32EditorBridge;

#endif
