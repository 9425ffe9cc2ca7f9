#include "interrupt.h"

#include <algorithm>
#include <csignal>
#include <thread>

namespace orvhost {
namespace {

volatile std::sig_atomic_t interrupted = 0;

constexpr auto kSlice = std::chrono::milliseconds(20);

extern "C" void NoteInterrupt(int signal_number) {
  interrupted = 1;
  std::signal(signal_number, SIG_DFL);  // the next one ends the program
}

}  // namespace

void InstallInterruptHandlers() {
  std::signal(SIGINT, NoteInterrupt);
  std::signal(SIGTERM, NoteInterrupt);
}

bool Interrupted() {
  return interrupted != 0;
}

bool SleepUnlessInterrupted(std::chrono::milliseconds duration) {
  const auto until = std::chrono::steady_clock::now() + duration;
  while (!Interrupted()) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= until) return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, until - now));
  }
  return false;
}

}  // namespace orvhost
