#pragma once
// Ending the program: the data-year window's "Return to TELLURA", the learner
// window's Done and its closing end the whole program at once, with no
// further window handlers.
#include <functional>

// Closes the shared connection and ends the process at once.
void EndProgram();

// Tests replace the ending with a hook of their own (an empty one restores
// the real ending).
void setEndProgramHook(std::function<void()> hook);
