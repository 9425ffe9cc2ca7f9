// The benchmark's command line.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct BenchOptions {
  bool quick = false;  // tiny counts: checks that every measurement runs, judges no figure
  std::string driver;  // libtavrik.so
  // (a): transactions of each kind per round, rounds, transactions of one kind before switching
  // to the other, warm-up transactions.
  uint64_t transactions = 0;
  int rounds = 0;
  uint64_t block = 0;
  uint64_t warmup = 0;
  uint64_t allocation_transactions = 0;  // (b)
  uint64_t slow_transactions = 0;        // (c)
  int slow_delay_ms = 50;                // (c): how long the controller takes to answer
  int32_t silent_timeout = 0;            // (d): reply time-out, tens of milliseconds
  int silent_reads = 0;                  // (d)
  // (e): run only when wine_exe is given (never in quick mode).
  std::string wine_exe;
  std::string wine_run;
  std::string wine_stop;
  std::string wine_prefix;
  uint64_t wine_transactions = 0;
};

// Fills options from the command line over the defaults of its mode; false (with a message on
// standard error) for a command line it does not understand.
bool ParseOptions(int argc, char** argv, BenchOptions* options);

}  // namespace bench
