// A scripted stand-in for the comm seam, linked into unit tests in place of the platform's own.
// It records every call in order, answers from a script, and keeps a fake clock that sleeps and
// read time-outs advance, so exact call sequences and time-outs are tested without waiting.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "serial/platform/comm.h"

namespace tavrik::test {

class FakeComm {
 public:
  enum class Op {
    kOpen,
    kClose,
    kGetConfig,
    kSetConfig,
    kGetTimeouts,
    kSetTimeouts,
    kSetQueueSizes,
    kClearErrors,
    kChangeLine,
    kRead,
    kWrite,
    kSetBreak,
    kClearBreak,
  };

  // The fake the seam functions use.
  static FakeComm& Get();

  // Forgets every device, port, script and call; the clock starts again at 0.
  void Reset();

  // A device that can be opened by this name, with the configuration it reports.
  void AddDevice(const std::string& name, const comm::PortConfig& config = DeviceDefaults());
  static comm::PortConfig DeviceDefaults();

  // The next `times` calls of op fail.
  void FailNext(Op op, int times = 1);
  // Bytes arriving on the line at the fake clock's time at_ms (now when negative).
  void Arrive(const std::string& bytes, int64_t at_ms = -1);
  // Output-queue counts reported by successive ClearErrors calls (0 once these run out).
  void QueueOutputCounts(std::vector<uint32_t> counts);
  // The next write accepts only this many bytes.
  void LimitNextWrite(uint32_t bytes);
  // How the line answers the next write: bytes that arrive right after it (none: silence), or
  // the write itself failing. Writes beyond the script are met with silence.
  struct Answer {
    std::string reply;
    bool write_fails = false;
  };
  void ScriptAnswers(std::vector<Answer> answers) {
    answers_.assign(answers.begin(), answers.end());
  }
  // Runs action when op is next called, before the call does anything.
  void OnNext(Op op, std::function<void()> action) { hooks_[op] = std::move(action); }

  // One line per call, in order, such as "Open COM1", "SetTimeouts 0/0/1000/0/0", "Read 1".
  // Sleep(0) gives up a time slice, which the clock counts as 1 ms, so that a wait built on
  // Sleep(0) and the clock ends in a test too.
  const std::vector<std::string>& calls() const { return calls_; }
  void ClearCalls() {  // and what was written
    calls_.clear();
    written_.clear();
  }
  const std::string& written() const { return written_; }
  int64_t now() const { return now_; }
  bool IsOpen(comm::Handle handle) const { return ports_.count(handle) != 0; }
  const comm::PortConfig& config(comm::Handle handle) const { return ports_.at(handle).config; }
  const comm::PortTimeouts& timeouts(comm::Handle handle) const {
    return ports_.at(handle).timeouts;
  }
  // Bytes arrived by now and not yet read.
  uint32_t PendingInput() const;

  // The seam, as the free functions in comm_fake.cpp forward it.
  bool Open(const char* name, comm::Handle* handle);
  bool Close(comm::Handle handle);
  bool GetConfig(comm::Handle handle, comm::PortConfig* config);
  bool SetConfig(comm::Handle handle, const comm::PortConfig& config);
  bool GetTimeouts(comm::Handle handle, comm::PortTimeouts* timeouts);
  bool SetTimeouts(comm::Handle handle, const comm::PortTimeouts& timeouts);
  bool SetQueueSizes(comm::Handle handle, uint32_t input_bytes, uint32_t output_bytes);
  bool ClearErrors(comm::Handle handle, comm::PortStatus* status);
  bool ChangeLine(comm::Handle handle, comm::LineChange change);
  bool Read(comm::Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read);
  bool Write(comm::Handle handle, const void* buffer, uint32_t count, uint32_t* bytes_written);
  bool SetBreak(comm::Handle handle);
  bool ClearBreak(comm::Handle handle);
  void Sleep(uint32_t milliseconds);
  uint32_t Milliseconds() const { return static_cast<uint32_t>(now_); }

 private:
  struct Port {
    std::string device;
    comm::PortConfig config;
    comm::PortTimeouts timeouts;
  };
  struct Arrival {
    int64_t at_ms;
    char byte;
  };

  bool Scripted(Op op);  // true when this call is to fail
  bool Known(comm::Handle handle) const { return ports_.count(handle) != 0; }

  std::map<std::string, comm::PortConfig> devices_;
  std::map<comm::Handle, Port> ports_;
  comm::Handle next_handle_ = 0x100;
  std::map<Op, int> failures_;
  std::map<Op, std::function<void()>> hooks_;
  std::deque<Arrival> line_;  // in order of arrival
  std::deque<uint32_t> output_counts_;
  std::deque<Answer> answers_;
  int64_t write_limit_ = -1;
  std::vector<std::string> calls_;
  std::string written_;
  int64_t now_ = 0;
};

}  // namespace tavrik::test
