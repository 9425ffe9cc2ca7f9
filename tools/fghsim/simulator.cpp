#include "simulator.h"

#include <signal.h>
#include <stdio.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "control_commands.h"
#include "protocol.h"
#include "text_syntax.h"

namespace fghsim {

namespace {

constexpr size_t kMostQueuedRequests = 256;
// How long the far end may leave the line full before what it has not read, and the rest of the
// reply, are thrown away, as bytes sent to nobody are lost on a real line.
constexpr auto kMostBlocked = std::chrono::seconds(1);
// The longest poll(): a bound on every wait, even with nothing to do.
constexpr auto kLongestWait = std::chrono::seconds(1);
// Before a drop: how long the bytes may take into the far end's queue, the longest wait for it to
// read them, and how often to look.
constexpr auto kDropSettles = std::chrono::milliseconds(100);
constexpr auto kDropWaitsAtMost = std::chrono::seconds(1);
constexpr auto kDropLooks = std::chrono::milliseconds(5);

Clock::duration CharacterTime(long baud, int bits) {
  if (baud <= 0) return Clock::duration::zero();
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(static_cast<long long>(bits) * 1000000000LL / baud));
}

std::string_view SignalName(int number) {
  switch (number) {
    case SIGTERM:
      return "SIGTERM";
    case SIGINT:
      return "SIGINT";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "a signal";
  }
}

}  // namespace

Simulator::Simulator(SimulatorSettings settings, SimState state)
    : settings_(std::move(settings)),
      state_(std::move(state)),
      line_(settings_.line),
      // A serial device paces itself at its own speed.
      pacer_(settings_.line.device.empty() ? CharacterTime(settings_.baud, settings_.bits)
                                           : Clock::duration::zero()) {}

int Simulator::Run() {
  try {
    SetUp();
    Serve();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fghsim: %s\n", error.what());
    CleanUp();
    return 1;
  }
  CleanUp();
  return 0;
}

void Simulator::SetUp() {
  // Signals arrive through a descriptor, in the same poll() as everything else.
  sigset_t mask;
  sigemptyset(&mask);
  sigaddset(&mask, SIGTERM);
  sigaddset(&mask, SIGINT);
  sigaddset(&mask, SIGHUP);
  sigprocmask(SIG_BLOCK, &mask, nullptr);
  signal(SIGPIPE, SIG_IGN);
  signals_ = signalfd(-1, &mask, SFD_NONBLOCK | SFD_CLOEXEC);
  if (signals_ < 0) throw std::runtime_error(std::string("signalfd: ") + std::strerror(errno));

  if (!settings_.trace.empty()) trace_.Open(settings_.trace);
  if (!settings_.control.empty()) control_.Listen(settings_.control);
  line_.Open();
  state_.device = line_.path();
  Announce();
}

// The readiness handshake: the ready file and the line on standard output come only once the
// line, its link and the control channel are all up.
void Simulator::Announce() {
  WriteReadyFile();
  trace_.Note("line " + line_.path() + " ready");
  std::printf("fghsim: line %s ready\n", line_.path().c_str());
  std::fflush(stdout);
}

void Simulator::WriteReadyFile() {
  if (settings_.ready_file.empty()) return;
  const std::string fresh = settings_.ready_file + ".fghsim-new";
  {
    std::ofstream out(fresh, std::ios::trunc);
    out << line_.path() << "\n";
    if (!out) throw std::runtime_error("cannot write " + fresh);
  }
  if (std::rename(fresh.c_str(), settings_.ready_file.c_str()) != 0) {
    throw std::runtime_error("cannot write " + settings_.ready_file + ": " + std::strerror(errno));
  }
}

void Simulator::CleanUp() {
  line_.RemoveLink();
  line_.Close();
  control_.Close();
  if (!settings_.ready_file.empty()) unlink(settings_.ready_file.c_str());
  if (signals_ >= 0) close(signals_);
  signals_ = -1;
}

void Simulator::Serve() {
  std::vector<pollfd> fds;
  while (!stopping_) {
    const Clock::time_point now = Clock::now();
    if (pending_drop_ && (now >= pending_drop_->latest ||
                          (now >= pending_drop_->settled && line_.Undelivered() == 0))) {
      DropLine("the line drops");
      continue;
    }
    StartNextReply(now);
    SendDue(now);
    if (replying_ && !pacer_.active() && unsent_.empty()) {
      FinishReply();
      continue;
    }

    fds.clear();
    fds.push_back({signals_, POLLIN, 0});
    fds.push_back({line_.fd(), static_cast<short>(POLLIN | (unsent_.empty() ? 0 : POLLOUT)), 0});
    control_.Watch(fds);
    const auto wait = std::max(WakeTime(now) - Clock::now(), Clock::duration::zero());
    const timespec timeout{
        static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(wait).count()),
        static_cast<long>((wait % std::chrono::seconds(1)) / std::chrono::nanoseconds(1))};
    if (ppoll(fds.data(), fds.size(), &timeout, nullptr) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
    }

    if (fds[0].revents != 0) {
      signalfd_siginfo info{};
      if (read(signals_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        trace_.Note("stopping on " + std::string(SignalName(static_cast<int>(info.ssi_signo))));
        stopping_ = true;
      }
    }
    if ((fds[1].revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
      ReadLine((fds[1].revents & (POLLERR | POLLHUP)) != 0);
    }
    for (const ControlServer::Command& command : control_.Service(fds)) RunControl(command);
  }
}

Clock::time_point Simulator::WakeTime(Clock::time_point now) const {
  Clock::time_point wake = now + kLongestWait;
  if (const auto due = pacer_.NextDue(); due && unsent_.empty()) wake = std::min(wake, *due);
  if (blocked_since_) wake = std::min(wake, *blocked_since_ + kMostBlocked);
  if (pending_drop_) wake = std::min(wake, std::max(pending_drop_->settled, now + kDropLooks));
  return wake;
}

void Simulator::ReadLine(bool hung_up) {
  char buffer[4096];
  const ssize_t n = line_.Read(buffer, sizeof buffer);
  if (n < 0) {
    DropLine(std::string("the line failed: ") + std::strerror(errno));
    return;
  }
  if (n == 0 && hung_up) {
    DropLine("the line hung up");
    return;
  }
  for (std::string& request : framer_.Add(std::string_view(buffer, static_cast<size_t>(n)))) {
    trace_.Request(request + '\r');
    ++state_.requests;
    if (requests_.size() >= kMostQueuedRequests) {
      trace_.Note("too many requests waiting: this one is ignored");
      continue;
    }
    requests_.push_back(std::move(request));
  }
}

void Simulator::StartNextReply(Clock::time_point now) {
  while (!replying_ && !pending_drop_ && !requests_.empty()) {
    const std::string request = std::move(requests_.front());
    requests_.pop_front();
    Exchange exchange = Answer(state_.plant, state_.faults, request);
    if (exchange.fault) {
      const auto& count = exchange.fault->count;
      trace_.Note("fault " + DescribeFault(*exchange.fault) +
                  (count ? " (" + std::to_string(*count - 1) + " left)" : ""));
    }
    if (exchange.command) {
      state_.Record(exchange.address, *exchange.command);
      trace_.Note("command " + TwoDigitText(exchange.address) + " " +
                  Printable(std::string_view(&*exchange.command, 1)));
    }
    if (exchange.reply.bytes.empty() && !exchange.reply.drop_line) continue;  // silence
    pacer_.Start(std::move(exchange.reply), now);
    replying_ = true;
    sent_.clear();
  }
}

void Simulator::SendDue(Clock::time_point now) {
  unsent_ += pacer_.TakeDue(now);
  if (unsent_.empty()) return;
  const ssize_t n = line_.Write(unsent_);
  if (n < 0) {
    DropLine(std::string("the line failed: ") + std::strerror(errno));
    return;
  }
  sent_.append(unsent_, 0, static_cast<size_t>(n));
  unsent_.erase(0, static_cast<size_t>(n));
  if (unsent_.empty()) {
    blocked_since_.reset();
  } else if (n > 0 || !blocked_since_) {
    blocked_since_ = now;  // the line is full from here on
  } else if (now - *blocked_since_ >= kMostBlocked) {
    line_.DiscardUnread();
    unsent_.clear();
    pacer_.Stop();
    blocked_since_.reset();
    trace_.Note(
        "the far end is not reading: the rest of the reply and what it left unread are "
        "thrown away");
  }
}

void Simulator::FinishReply() {
  replying_ = false;
  if (!sent_.empty()) {
    ++state_.replies;
    trace_.Reply(sent_);
  }
  if (pacer_.plan().drop_line) {
    const Clock::time_point now = Clock::now();
    pending_drop_ = PendingDrop{now + kDropSettles, now + kDropWaitsAtMost};
  }
}

void Simulator::DropLine(const std::string& why) {
  trace_.Note(why + ": " + line_.path() + " goes down");
  pacer_.Stop();
  replying_ = false;
  requests_.clear();
  unsent_.clear();
  sent_.clear();
  framer_.Clear();
  blocked_since_.reset();
  pending_drop_.reset();
  line_.Close();
  line_.Open();
  state_.device = line_.path();
  Announce();
}

void Simulator::RunControl(const ControlServer::Command& command) {
  trace_.Note("control: " + Printable(command.line));
  const ControlReply reply = RunControlCommand(state_, command.line);
  switch (reply.action) {
    case ControlAction::kDrop:
      DropLine("dropped by the control channel");
      control_.Answer(command.client, "ok " + line_.path());
      return;
    case ControlAction::kQuit:
      stopping_ = true;
      break;
    case ControlAction::kNone:
      break;
  }
  if (reply.text.rfind("error", 0) == 0) trace_.Note("control: " + reply.text);
  control_.Answer(command.client, reply.text);
}

}  // namespace fghsim
