#include "help_text.h"

namespace orvhost {
namespace {

constexpr const char* kGeneral = R"(Usage: orvhost [OPTIONS] SUBCOMMAND [ARGUMENTS]

A host for the TAVRIK driver: loads the driver library, starts an instance on
a serial port and reads and writes the FGH controllers' gates through it.

Subcommands (each has --help):
  info                         the driver's description and defaults
  read GATE[:TYPE]...          read gates
  write GATE[:TYPE]=VALUE...   write gates (a command gate takes no value)
  poll FILE                    read the gates listed in FILE round after round
read and write groups combine in one run, in the order given, on one
instance: orvhost --port COM1 write 0X*=0 read 01T write 0X*=1 read 01T

Line settings (the driver's defaults when left out):
  --port NAME          the port, at most 11 characters: COM1, \\.\COM10,
                       ttyUSB0 (/dev/ttyUSB0), ./line0 (a path), NUL (no line)
  --baud N             110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400,
                       57600 (default 9600)
  --data-bits N        5 to 8 (default 8)
  --parity P           none, odd, even, mark, space (default none)
  --stop-bits S        1, 1.5 (with 5 data bits), 2 (default 1)
  --timeout MS         the reply time-out in milliseconds, rounded up to tens
                       (default 40)
  --instance N         the instance number: selects the initialisation file
                       TAVRIK<NN>.INT in the current directory (default 0)

Other options:
  --driver PATH        the driver library (default: libtavrik.so or
                       TAVRIK32.dll in orvhost's own directory)
  --trace              show the driver's trace lines (level 64) as well as
                       its errors (level 32); they go to standard error with
                       the time and level
  --json               one JSON document on standard output instead of text
  -h, --help           this text; orvhost SUBCOMMAND --help for a subcommand's
  --version            orvhost's version

Gates:
  NNp[Sdd][Ldd]  parameter gate: controller NN (00-99), parameter code p,
                 secondary parameter dd, reply length dd digits (default 4;
                 more than 4 makes the gate 32-bit)
  NN$c           command gate: writing sends command c
  dd* dX* XX*    communication control for controller dd, controllers d0-d9
                 or all: writing 0 disables them, anything else enables them
                 (nothing is sent; the state lasts for the run)

Types (TYPE, a name or its number):
  u16 (0)  unsigned 16-bit       s32 (4)      signed 32-bit
  s16 (1)  signed 16-bit         u32 (5)      unsigned 32-bit
  u16out (2)  unsigned 16-bit, written only
  trigger (6)  no value: command and communication-control gates
  text (7)  text, at most the gate's reply length in characters
Defaults: s16 for a 16-bit parameter gate, s32 for a 32-bit one, trigger for
a command gate, u16 for a communication-control gate.

Exit status: 0 every operation done; 1 an operation not done (the driver's
result 1 or 2, or the driver could not be loaded or started); 2 a command line
orvhost cannot act on. The reason is given in one line on standard error.
)";

constexpr const char* kInfo = R"(Usage: orvhost [--driver PATH] [--json] info

Loads the driver and shows what GetOrvInfo gives: the short name, the size of
the instance block a host allocates, the default reply time-out and line
settings, and the banner (code page 437, shown in UTF-8). No port is opened.

--json: one document with the fields library, kind, short_name, banner,
instance_block_size, reply_timeout_ms and settings.
)";

constexpr const char* kTransfer = R"(Usage: orvhost --port NAME [OPTIONS] read GATE[:TYPE]...
       orvhost --port NAME [OPTIONS] write GATE[:TYPE][=VALUE]...
       (read and write groups combine: read A write A=1 read A)

Starts the driver on the port, has each gate parsed once, runs the reads and
writes in the order given and ends the driver. One line per operation:
  read  01T         s16      215
  write 01S         s16      -55  done
  read  12T         s16      failed: no reply or the line failed (result 2)
The driver's result: 0 done; 1 not done (refused, an error reply from the
controller, a disabled controller or no port); 2 failed (no reply, a failed
send). A gate whose address or type the driver's parser refuses is not done.

Values: numbers for the numeric types (negatives for s16 and s32), checked
against the type and the gate's reply length before anything is sent; text
for text gates (printable ASCII, at most the reply length: 01NL08="OVEN 2");
no value for a command gate (write 05$G); 0 or 1 for a communication-control
gate (write 0X*=0). Command and communication-control gates cannot be read.

--json: one document, {"port":..., "cold_start":0, "operations":[{"operation":
"read","gate":"01T","type":"s16","result":0,"meaning":"done","value":215},
...], "done":N, "not_done":N}.
)";

constexpr const char* kPoll = R"(Usage: orvhost --port NAME [OPTIONS] poll [POLL OPTIONS] FILE

Reads every gate of the gate list FILE once a round, round after round, and
keeps per gate the number of reads, of each result (0, 1, 2) and the latency
of its reads (minimum, median of the last 1024, maximum).

FILE: one GATE[:TYPE] a line (parameter gates only); blank lines and lines
starting with # are skipped, and so is a # comment after the gate:
  # the oven
  01T            # process value, s16
  01CL10:u32
  01NL08:text

Poll options:
  --period MS        time from the start of one round to the next (default
                     1000)
  --rounds N         stop after N rounds (default 0: until interrupted)
  --reopen-after N   after N reads in a row that failed with result 2 (over
                     all gates; any other result starts the count again),
                     close and reopen the port with CloseCom and ReOpenCom
                     (default 3; 0 never)
  --reopen-tries N   ReOpenCom calls at most while it gives 2, waiting 100 ms,
                     200 ms, ... up to 2 s between them (default 6); if the
                     port stays closed, each round tries again first

Output: on a terminal a status line, rewritten each round; otherwise one line
a round. At the end (the last round, or Ctrl+C / SIGTERM, which ends the
current read first) a table of the gates, their last values and counters.
Reopening the port is reported as it happens.

--json: nothing while polling; one document at the end:
  {"port", "cold_start" (ColdStart's result), "period_ms", "rounds",
   "interrupted", "gates": [{"gate", "type", "parse_result", "reads",
     "results": {"0": N, "1": N, "2": N},
     "latency_ms": {"min", "median", "max"} (null before the first read),
     "last": {"result" (of the last read), "value" (the last value read,
              null if none)}}],
   "reopens": [{"round", "close_result", "tries", "result" (of the last
     ReOpenCom)}]}
Notices of reopening go to standard error then.
)";

}  // namespace

const char* HelpText(std::string_view topic) {
  if (topic == "info") return kInfo;
  if (topic == "read" || topic == "write") return kTransfer;
  if (topic == "poll") return kPoll;
  return kGeneral;
}

}  // namespace orvhost
