#include "bench_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

constexpr const char kUsage[] =
    "usage: tavrik_bench [--quick] [--driver LIBTAVRIK] [--transactions N] [--rounds N] [--block "
    "N]\n"
    "                    [--wine-exe BENCH_WINE_EXE --wine-run WINE_RUN --wine-stop WINE_STOP\n"
    "                     --wine-prefix PREFIX [--wine-transactions N]]\n";

void SetModeDefaults(BenchOptions* options) {
  if (options->quick) {
    options->transactions = 200;
    options->rounds = 1;
    options->block = 100;
    options->warmup = 20;
    options->allocation_transactions = 100;
    options->slow_transactions = 2;
    options->silent_timeout = 1;
    options->silent_reads = 1;
    options->wine_transactions = 0;
  } else {
    options->transactions = 40000;
    options->rounds = 5;
    options->block = 1000;
    options->warmup = 2000;
    options->allocation_transactions = 20000;
    options->slow_transactions = 60;
    options->silent_timeout = 10;
    options->silent_reads = 5;
    options->wine_transactions = 20000;
  }
}

bool Count(const char* text, uint64_t* value) {
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(text, &end, 10);
  if (end == text || *end != '\0' || parsed == 0) return false;
  *value = parsed;
  return true;
}

}  // namespace

bool ParseOptions(int argc, char** argv, BenchOptions* options) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--quick") == 0) options->quick = true;
  SetModeDefaults(options);

  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--quick") continue;
    if (i + 1 >= argc) {
      std::fprintf(stderr, "%s needs a value\n%s", name.c_str(), kUsage);
      return false;
    }
    const char* value = argv[++i];
    uint64_t count = 0;
    bool ok = true;
    if (name == "--driver") {
      options->driver = value;
    } else if (name == "--transactions") {
      ok = Count(value, &options->transactions);
    } else if (name == "--block") {
      ok = Count(value, &options->block);
    } else if (name == "--rounds") {
      ok = Count(value, &count) && count < 1000;
      options->rounds = static_cast<int>(count);
    } else if (name == "--wine-exe") {
      options->wine_exe = value;
    } else if (name == "--wine-run") {
      options->wine_run = value;
    } else if (name == "--wine-stop") {
      options->wine_stop = value;
    } else if (name == "--wine-prefix") {
      options->wine_prefix = value;
    } else if (name == "--wine-transactions") {
      ok = Count(value, &options->wine_transactions);
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "cannot use %s %s\n%s", name.c_str(), value, kUsage);
      return false;
    }
  }
  if (!options->wine_exe.empty() &&
      (options->wine_run.empty() || options->wine_stop.empty() || options->wine_prefix.empty())) {
    std::fprintf(stderr, "--wine-exe needs --wine-run, --wine-stop and --wine-prefix\n%s", kUsage);
    return false;
  }
  return true;
}

}  // namespace bench
