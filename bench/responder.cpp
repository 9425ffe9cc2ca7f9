#include "responder.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace bench {
namespace {

constexpr char kCarriageReturn = '\r';

void SleepMs(int milliseconds) {
  timespec left{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void WriteAll(int descriptor, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(descriptor, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (!(n < 0 && errno == EINTR)) {
      return;
    }
  }
}

}  // namespace

Responder::Responder(const PtyLine& line, ResponderPlan plan)
    : line_(line), plan_(std::move(plan)), thread_([this] { Serve(); }) {}

Responder::~Responder() {
  Stop();
}

void Responder::Stop() {
  if (!thread_.joinable()) return;
  stopping_.store(true);
  const char wake = kCarriageReturn;
  while (write(line_.held_device(), &wake, 1) < 0 && errno == EINTR) {
  }
  thread_.join();
}

// One blocking read() and one write() a request: as little as a far end can do.
void Responder::Serve() {
  char buffer[256];
  for (;;) {
    const ssize_t n = read(line_.controller(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || stopping_.load()) return;
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] != kCarriageReturn) continue;
      requests_.fetch_add(1, std::memory_order_relaxed);
      if (plan_.reply.empty()) continue;
      if (plan_.delay_ms > 0) SleepMs(plan_.delay_ms);
      WriteAll(line_.controller(), plan_.reply);
    }
  }
}

}  // namespace bench
