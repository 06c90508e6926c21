// How a macro runs: the execution protocol of a click on a macro's button, the stop flags, and
// the waiting primitives shared by the animating kinds. Time, keys, sound and the message pump
// go through the host (core/CHost.h), so that tests drive macros with a fake clock.
#pragma once

#include <cstdint>
#include <functional>

class CMacro;
class CMacroContext;

namespace macro_run {

// Flags of the macro being run: Escape seen, left click seen, a loop over a variable runs.
struct Flags {
    bool stopRequested = false;
    bool clicked = false;
    bool loopRunning = false;
};
Flags& flags();

// Forgets an Escape or a click made before the start, and resets both flags.
void startWatching();
// True when Escape was pressed since the last question.
bool escapeSeen();
// True when the left button went down since the last question.
bool clickedSince();
uint64_t now();

// The timed frame loop: `frame` computes and draws the next state, once per f milliseconds
// (f = 0: as fast as possible) until d tenths of a second elapsed, or, with d = 0, until a
// click; Escape stops it at once. False when Escape stopped it.
bool runFrames(int f, int d, const std::function<void()>& frame);

// Waits for a click or Escape (and, with s > 0, at most s seconds). False on Escape.
bool pause(int seconds);

// The execution protocol of a click on `macro`: refused when it cannot run (error report);
// otherwise mouse off, execute, mouse on, an undo snapshot when it changed the figure, redraw,
// cursor put back. The result of execute, false when it could not run.
bool executeMacro(CMacro& macro, CMacroContext& context);

}  // namespace macro_run
