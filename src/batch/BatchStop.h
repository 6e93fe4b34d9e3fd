#pragma once

namespace rastrix::batch {

// SIGINT, SIGTERM and SIGHUP ask the run to stop: no new file is started, a file being written
// is abandoned (its temporary file removed, see BatchFileSystem), the others finish, and the
// summary is shown. Installed by the program's main, never by a test.
void CatchStopSignals();

// The signal that asked the run to stop; 0 while none did.
int StopSignal();

// The exit status of a run stopped by the signal: 128 + its number (130 for SIGINT, 143 for
// SIGTERM, 129 for SIGHUP), as shells report a program the signal ended.
inline int StoppedExitStatus(int signal) { return 128 + signal; }

}  // namespace rastrix::batch
