#include "macros/MacroRun.h"

#include <algorithm>

#include "core/CHost.h"
#include "macros/CMacro.h"

namespace macro_run {

Flags& flags() {
    static Flags f;
    return f;
}

void startWatching() {
    host().isKeyDown(KEY_ESCAPE);
    host().isKeyDown(KEY_LBUTTON);
    flags().stopRequested = false;
    flags().clicked = false;
}

bool escapeSeen() {
    return host().isKeyDown(KEY_ESCAPE);
}

bool clickedSince() {
    return host().isKeyDown(KEY_LBUTTON);
}

uint64_t now() {
    return host().tickCount();
}

bool runFrames(int f, int d, const std::function<void()>& frame) {
    Flags& fl = flags();
    const uint64_t start = now();
    for (;;) {
        host().pumpMessages();
        uint64_t frameStart = now();
        fl.stopRequested = fl.stopRequested || escapeSeen();
        if (d == 0)
            fl.clicked = fl.clicked || clickedSince();
        else
            frameStart = now();
        frame();
        if (f > 0 && !fl.stopRequested) host().waitUntil(frameStart + static_cast<uint64_t>(f));
        if (d > 0 && now() - start >= 100 * static_cast<uint64_t>(d)) fl.clicked = true;
        if (fl.clicked || fl.stopRequested) break;
    }
    return !fl.stopRequested;
}

bool pause(int seconds) {
    Flags& fl = flags();
    const uint64_t start = now();
    const uint64_t end = start + 1000 * static_cast<uint64_t>(std::max(seconds, 0));
    for (;;) {
        host().pumpMessages();
        if (escapeSeen()) {
            fl.stopRequested = true;
            return false;
        }
        if (clickedSince()) return true;
        const uint64_t t = now();
        if (seconds > 0 && t >= end) return true;
        // Short waits keep the pump and the keys live.
        host().waitUntil(seconds > 0 ? std::min(end, t + 20) : t + 20);
    }
}

bool executeMacro(CMacro& macro, CMacroContext& context) {
    if (!macro.canExecute(true)) return false;
    context.setPrompt(macro.runningPromptId());
    context.setMouseInputEnabled(false);
    const bool ok = macro.execute(context);
    context.setMouseInputEnabled(true);
    context.setPrompt(1304);
    if (macro.changesFigure() && ok) context.recordSnapshot("Exécuter macro");
    context.redraw();
    if (!macro.managesCursor() && ok) context.restoreCursor();
    return ok;
}

}  // namespace macro_run
