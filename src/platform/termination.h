// A request from outside to end the program (SIGTERM at logout, SIGINT
// from Ctrl+C in a terminal), noticed by the frame loop, which then closes
// the window the normal way.
#pragma once

namespace platform {

void InstallTerminationHandlers();
bool TerminationRequested();
// Forgets an earlier request once it has been acted on.
void ClearTerminationRequest();

}  // namespace platform
