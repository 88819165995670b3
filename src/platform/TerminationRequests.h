#pragma once

namespace zantor {

// Ends the event loop when the system asks the program to end (a logout, a shutdown, a
// kill, Ctrl+C in a terminal), so that it leaves as its close command does: whatever
// is torn down on the way out, such as the one-copy socket, is not left behind for the
// next start to clean up, whatever box is up. A second request ends the program at once, and so does a
// request that comes before the event loop runs, while nothing could answer it.
void quitOnTerminationRequests();
// From here on the event loop answers the requests. Call right before it runs.
void noteEventLoopRunning();

} // namespace zantor
