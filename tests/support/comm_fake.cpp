#include "comm_fake.h"

#include <algorithm>
#include <cstring>

namespace tavrik::test {
namespace {

std::string Timeouts(const comm::PortTimeouts& t) {
  return std::to_string(t.read_interval) + "/" + std::to_string(t.read_total_multiplier) + "/" +
         std::to_string(t.read_total_constant) + "/" + std::to_string(t.write_total_multiplier) +
         "/" + std::to_string(t.write_total_constant);
}

const char* LineName(comm::LineChange change) {
  switch (change) {
    case comm::LineChange::kSetRts:
      return "SETRTS";
    case comm::LineChange::kClearRts:
      return "CLRRTS";
    case comm::LineChange::kSetDtr:
      return "SETDTR";
    case comm::LineChange::kClearDtr:
      return "CLRDTR";
  }
  return "?";
}

}  // namespace

FakeComm& FakeComm::Get() {
  static FakeComm fake;
  return fake;
}

void FakeComm::Reset() {
  *this = FakeComm();
}

comm::PortConfig FakeComm::DeviceDefaults() {
  // What a port might report before anyone configures it: every member distinct from what
  // OpenCom writes, so that a test sees which ones it changed and which it kept.
  comm::PortConfig c{};
  c.baud_rate = 1200;
  c.binary = false;
  c.parity_check = false;
  c.out_cts_flow = true;
  c.out_dsr_flow = true;
  c.dtr_control = comm::DtrControl::kHandshake;
  c.dsr_sensitivity = true;
  c.tx_continue_on_xoff = true;
  c.out_x = true;
  c.in_x = true;
  c.error_char_enabled = true;
  c.null_discard = true;
  c.rts_control = comm::RtsControl::kToggle;
  c.abort_on_error = true;
  c.xon_limit = 111;
  c.xoff_limit = 222;
  c.byte_size = 7;
  c.parity = 2;
  c.stop_bits = 2;
  c.xon_char = 0x11;
  c.xoff_char = 0x13;
  c.error_char = '?';
  c.eof_char = 0x1A;
  c.evt_char = '\n';
  return c;
}

void FakeComm::AddDevice(const std::string& name, const comm::PortConfig& config) {
  devices_[name] = config;
}

void FakeComm::FailNext(Op op, int times) {
  failures_[op] += times;
}

void FakeComm::Arrive(const std::string& bytes, int64_t at_ms) {
  const int64_t at = at_ms < 0 ? now_ : at_ms;
  for (char byte : bytes) line_.push_back({at, byte});
  std::stable_sort(line_.begin(), line_.end(),
                   [](const Arrival& a, const Arrival& b) { return a.at_ms < b.at_ms; });
}

void FakeComm::QueueOutputCounts(std::vector<uint32_t> counts) {
  output_counts_.assign(counts.begin(), counts.end());
}

void FakeComm::LimitNextWrite(uint32_t bytes) {
  write_limit_ = bytes;
}

uint32_t FakeComm::PendingInput() const {
  return static_cast<uint32_t>(
      std::count_if(line_.begin(), line_.end(), [&](const Arrival& a) { return a.at_ms <= now_; }));
}

bool FakeComm::Scripted(Op op) {
  if (auto hook = hooks_.find(op); hook != hooks_.end()) {
    const std::function<void()> action = std::move(hook->second);
    hooks_.erase(hook);
    action();
  }
  auto it = failures_.find(op);
  if (it == failures_.end() || it->second == 0) return false;
  --it->second;
  return true;
}

bool FakeComm::Open(const char* name, comm::Handle* handle) {
  calls_.push_back(std::string("Open ") + name);
  if (Scripted(Op::kOpen) || devices_.count(name) == 0) return false;
  for (const auto& [open_handle, port] : ports_)
    if (port.device == name) return false;  // unshared
  const comm::Handle opened = next_handle_++;
  ports_[opened] = Port{name, devices_[name], comm::PortTimeouts{}};
  *handle = opened;
  return true;
}

bool FakeComm::Close(comm::Handle handle) {
  calls_.push_back("Close");
  if (Scripted(Op::kClose) || !Known(handle)) return false;
  ports_.erase(handle);
  return true;
}

bool FakeComm::GetConfig(comm::Handle handle, comm::PortConfig* config) {
  calls_.push_back("GetConfig");
  if (Scripted(Op::kGetConfig) || !Known(handle)) return false;
  *config = ports_[handle].config;
  return true;
}

bool FakeComm::SetConfig(comm::Handle handle, const comm::PortConfig& config) {
  calls_.push_back("SetConfig");
  if (Scripted(Op::kSetConfig) || !Known(handle)) return false;
  ports_[handle].config = config;
  return true;
}

bool FakeComm::GetTimeouts(comm::Handle handle, comm::PortTimeouts* timeouts) {
  calls_.push_back("GetTimeouts");
  if (Scripted(Op::kGetTimeouts) || !Known(handle)) return false;
  *timeouts = ports_[handle].timeouts;
  return true;
}

bool FakeComm::SetTimeouts(comm::Handle handle, const comm::PortTimeouts& timeouts) {
  calls_.push_back("SetTimeouts " + Timeouts(timeouts));
  if (Scripted(Op::kSetTimeouts) || !Known(handle)) return false;
  ports_[handle].timeouts = timeouts;
  return true;
}

bool FakeComm::SetQueueSizes(comm::Handle handle, uint32_t input_bytes, uint32_t output_bytes) {
  calls_.push_back("SetQueueSizes " + std::to_string(input_bytes) + "/" +
                   std::to_string(output_bytes));
  return !Scripted(Op::kSetQueueSizes) && Known(handle);
}

bool FakeComm::ClearErrors(comm::Handle handle, comm::PortStatus* status) {
  calls_.push_back("ClearErrors");
  if (Scripted(Op::kClearErrors) || !Known(handle)) return false;
  uint32_t output = 0;
  if (!output_counts_.empty()) {
    output = output_counts_.front();
    output_counts_.pop_front();
  }
  *status = comm::PortStatus{0, PendingInput(), output};
  return true;
}

bool FakeComm::ChangeLine(comm::Handle handle, comm::LineChange change) {
  calls_.push_back(std::string("ChangeLine ") + LineName(change));
  return !Scripted(Op::kChangeLine) && Known(handle);
}

// Hands out what has arrived; while bytes are missing, the clock runs on to the next arrival
// within the total time-out, or to the time-out itself.
bool FakeComm::Read(comm::Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read) {
  calls_.push_back("Read " + std::to_string(count));
  if (Scripted(Op::kRead) || !Known(handle)) return false;
  const comm::PortTimeouts& t = ports_[handle].timeouts;
  const int64_t total =
      static_cast<int64_t>(t.read_total_multiplier) * count + t.read_total_constant;
  const int64_t deadline = total > 0 ? now_ + total : INT64_MAX;
  auto* bytes = static_cast<char*>(buffer);
  uint32_t got = 0;
  while (got < count) {
    if (!line_.empty() && line_.front().at_ms <= now_) {
      bytes[got++] = line_.front().byte;
      line_.pop_front();
    } else if (!line_.empty() && line_.front().at_ms <= deadline) {
      now_ = line_.front().at_ms;
    } else {
      if (deadline == INT64_MAX) break;  // nothing will ever come: do not hang the test
      now_ = deadline;
      break;
    }
  }
  *bytes_read = got;
  return true;
}

bool FakeComm::Write(comm::Handle handle, const void* buffer, uint32_t count,
                     uint32_t* bytes_written) {
  calls_.push_back("Write " + std::to_string(count));
  Answer answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (Scripted(Op::kWrite) || !Known(handle) || answer.write_fails) return false;
  uint32_t accepted = count;
  if (write_limit_ >= 0) {
    accepted = std::min<uint32_t>(count, static_cast<uint32_t>(write_limit_));
    write_limit_ = -1;
  }
  written_.append(static_cast<const char*>(buffer), accepted);
  *bytes_written = accepted;
  Arrive(answer.reply);
  return true;
}

bool FakeComm::SetBreak(comm::Handle handle) {
  calls_.push_back("SetBreak");
  return !Scripted(Op::kSetBreak) && Known(handle);
}

bool FakeComm::ClearBreak(comm::Handle handle) {
  calls_.push_back("ClearBreak");
  return !Scripted(Op::kClearBreak) && Known(handle);
}

void FakeComm::Sleep(uint32_t milliseconds) {
  calls_.push_back("Sleep " + std::to_string(milliseconds));
  now_ += milliseconds == 0 ? 1 : milliseconds;
}

}  // namespace tavrik::test

// The seam itself, forwarded to the fake.
namespace tavrik::comm {

using test::FakeComm;

bool Open(const char* name, Handle* handle) {
  return FakeComm::Get().Open(name, handle);
}
bool Close(Handle handle) {
  return FakeComm::Get().Close(handle);
}
bool GetConfig(Handle handle, PortConfig* config) {
  return FakeComm::Get().GetConfig(handle, config);
}
bool SetConfig(Handle handle, const PortConfig& config) {
  return FakeComm::Get().SetConfig(handle, config);
}
bool GetTimeouts(Handle handle, PortTimeouts* timeouts) {
  return FakeComm::Get().GetTimeouts(handle, timeouts);
}
bool SetTimeouts(Handle handle, const PortTimeouts& timeouts) {
  return FakeComm::Get().SetTimeouts(handle, timeouts);
}
bool SetQueueSizes(Handle handle, uint32_t input_bytes, uint32_t output_bytes) {
  return FakeComm::Get().SetQueueSizes(handle, input_bytes, output_bytes);
}
bool ClearErrors(Handle handle, PortStatus* status) {
  return FakeComm::Get().ClearErrors(handle, status);
}
bool ChangeLine(Handle handle, LineChange change) {
  return FakeComm::Get().ChangeLine(handle, change);
}
bool Read(Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read) {
  return FakeComm::Get().Read(handle, buffer, count, bytes_read);
}
bool Write(Handle handle, const void* buffer, uint32_t count, uint32_t* bytes_written) {
  return FakeComm::Get().Write(handle, buffer, count, bytes_written);
}
bool SetBreak(Handle handle) {
  return FakeComm::Get().SetBreak(handle);
}
bool ClearBreak(Handle handle) {
  return FakeComm::Get().ClearBreak(handle);
}
void Sleep(uint32_t milliseconds) {
  FakeComm::Get().Sleep(milliseconds);
}

uint32_t Milliseconds() {
  return FakeComm::Get().Milliseconds();
}

}  // namespace tavrik::comm
