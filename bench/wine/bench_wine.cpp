// The Windows side of the benchmark's Wine row: loads TAVRIK32.dll as a host does, cold-starts
// an instance on a COM port whose far end answers every read at once, and times SingleReads of
// gate 07T.
//   bench_wine.exe PORT TRANSACTIONS REPLY_TIMEOUT
// Prints "transactions_per_second R" and "log_lines_per_transaction L".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "peltar.h"
#include "tavrik/tavrik.h"

namespace {

constexpr unsigned kWarmup = 200;
constexpr int kReplyValue = 123;

long line_count = 0;

void CountLine(void*, int32_t, const char*) {
  ++line_count;
}

int Fail(const char* what) {
  std::fprintf(stderr, "bench_wine: %s\n", what);
  return 1;
}

double Seconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: bench_wine.exe PORT TRANSACTIONS REPLY_TIMEOUT");
  const unsigned long transactions = std::strtoul(argv[2], nullptr, 10);
  const long reply_timeout = std::strtol(argv[3], nullptr, 10);
  if (transactions == 0 || reply_timeout <= 0) return Fail("bad count or time-out");

  HMODULE library = LoadLibraryA("TAVRIK32.dll");
  FARPROC symbol = library != nullptr ? GetProcAddress(library, "OrvMain") : nullptr;
  if (symbol == nullptr) return Fail("cannot load OrvMain from TAVRIK32.dll");
  const auto entry = reinterpret_cast<OrvMainFunction>(reinterpret_cast<void*>(symbol));
  peltar_set_sink(&CountLine, nullptr);

  OrvInfo info{};
  OrvRequest request{};
  request.code = ORV_GET_ORV_INFO;
  request.params = &info;
  if (entry(&request) != ORV_DONE) return Fail("GetOrvInfo failed");
  std::vector<unsigned char> block(info.instance_block_size, 0);

  ColdStartParams start{};
  std::snprintf(start.port_name, sizeof start.port_name, "%s", argv[1]);
  start.port_flag = 1;
  start.reply_timeout = static_cast<int32_t>(reply_timeout);
  start.settings = {9600, 8, 0, 0};
  request.instance = block.data();
  request.code = ORV_COLD_START;
  request.params = &start;
  if (entry(&request) != ORV_DONE) return Fail("ColdStart failed");

  ParseRecord parse{};
  parse.address = "07T";
  parse.gate_type = ORV_GATE_SIGNED16;
  request.code = ORV_SINGLE_ADDRESS_PARSER;
  request.params = &parse;
  if (entry(&request) != ORV_DONE) return Fail("the address 07T was refused");

  ValueBlock value{};
  GateRecord record{};
  record.address = parse.address;
  record.descriptor = parse.descriptor;
  record.gate_type = ORV_GATE_SIGNED16;
  record.value = &value;
  request.code = ORV_SINGLE_READ;
  request.params = &record;
  for (unsigned i = 0; i < kWarmup; ++i)
    if (entry(&request) != ORV_DONE) return Fail("a warm-up read failed");

  const long lines_before = line_count;
  const double begin = Seconds();
  for (unsigned long i = 0; i < transactions; ++i)
    if (entry(&request) != ORV_DONE) return Fail("a read failed");
  const double elapsed = Seconds() - begin;
  if (value.signed16[1] != kReplyValue) return Fail("the read stored a wrong value");

  std::printf("transactions_per_second %.1f\n", static_cast<double>(transactions) / elapsed);
  std::printf("log_lines_per_transaction %.2f\n",
              static_cast<double>(line_count - lines_before) / static_cast<double>(transactions));
  std::fflush(stdout);

  request.code = ORV_CLOSE_COM;
  request.params = nullptr;
  entry(&request);
  return 0;
}
