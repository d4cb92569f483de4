#pragma once

namespace shell {

// The program's end is asked for, not done on the spot: start-up may ask before
// the message loop runs (a second copy, a missing company table, a denied
// login), and the entry then ends without running the loop.
namespace application {

// The exit code is the process's when the loop never ran.
void requestTerminate(int exitCode = 0);
int exitCode();
bool terminateRequested();
// For tests that build the windows several times in one process.
void resetTerminate();

} // namespace application
} // namespace shell
