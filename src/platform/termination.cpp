#include "platform/termination.h"

#include <csignal>

namespace platform {
namespace {

// A signal handler can only reach a flag of static storage.
volatile std::sig_atomic_t g_requested = 0;

extern "C" void OnTerminationSignal(int) { g_requested = 1; }

}  // namespace

void InstallTerminationHandlers() {
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool TerminationRequested() { return g_requested != 0; }

void ClearTerminationRequest() { g_requested = 0; }

}  // namespace platform
