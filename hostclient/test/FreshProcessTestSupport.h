#pragma once
// For tests of state that lives for the whole process (the shared name
// caches): the running test again, alone, in a new process of this program.

// True in that new process: the caller runs its body there. In the first
// process it runs the new one, waits for it (bounded) and records a failure
// when it fails, hangs or cannot start, then returns false.
bool RunsInFreshProcess();
