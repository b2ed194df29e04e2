#pragma once
// The ways a desktop session ends the program besides its close button.

#include <functional>

namespace yorvane {

// SIGTERM (what a session sends at logout, and what `kill` sends), SIGHUP and SIGINT end the
// program as a close would: `close` runs from the event loop, then the program exits with
// status 0 whatever windows are still open. The signal itself only wakes the event loop; when
// the loop has not ended the program a few seconds later, or another such signal comes, the
// signal's own action ends it. Call once, after the application object exists.
void closeOnTerminationSignals(std::function<void()> close);

// The session manager's request to save before logging out runs `save`; the program goes on.
void saveOnSessionRequest(std::function<void()> save);

}  // namespace yorvane
