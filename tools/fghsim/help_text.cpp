#include "options.h"

namespace fghsim {

const char* const kHelpText = R"(Usage: fghsim --plant FILE [OPTIONS]

Plays up to 100 FGH controllers (addresses 00-99) on one serial line: a new
pseudo-terminal, or an existing serial device.

Options:
  --plant FILE        the controllers and their parameters (format below)
  --device PATH       use this serial device instead of a new pseudo-terminal
  --link PATH         keep a symbolic link at PATH pointing at the line's device
                      (moved when the line drops and comes back)
  --ready-file PATH   write the line's device path here once ready
  --control PATH      listen for control commands on a Unix-domain socket
  --trace FILE        log every request and reply with a timestamp, printable
                      and in hex; - for standard output
  --baud N            line speed: replies on a pseudo-terminal are paced at N
                      baud; a serial device is set to N baud (default 9600)
  --bits 10|11        bit times a character (default 10); a serial device
                      runs 8N1 with 10, 8E1 with 11
  --fault FAULT       a fault from the start, written as after "fault" below
                      (repeatable)
  --help              this text

Once everything is set up, fghsim prints one line to standard output:
  fghsim: line /dev/pts/N ready
(and writes the device path to the ready file). It prints it again each time
the line has dropped and a new one is up. SIGTERM, SIGINT and SIGHUP stop it;
it removes the link, the ready file and the control socket.
Exit status: 0 stopped cleanly, 1 bad plant file or cannot set up, 2 bad
command line.

Plant file: one statement a line; blank lines and # comments are ignored.
  controller AA                     declares controller AA (00-99); the param
                                    lines below belong to it
  param P[SS] number M VALUE [read-only]
                                    parameter code P (one character, not * or
                                    $), optional secondary parameter SS (two
                                    digits), a number of M digits (0-99)
  param P[SS] text M "TEXT" [read-only]
                                    a text; writes carry M characters
  fault TARGET KIND [ARGS] [OPTIONS]
                                    a fault from the start (see below)
Words are separated by blanks; "double quotes" keep blanks in a word; the
escapes \r \n \t \0 \\ \" \xNN work in every word (a code that is a blank or #
is written \x20, \x23). Errors are reported as FILE:LINE: message.
Example:
  controller 07
    param T   number 4  123            # R07T -> *07T0123
    param P03 number 6  -5 read-only   # R07P03 -> *07P03-000005
    param N   text   8  "PUMP 1"       # R07N -> *07NPUMP 1
  fault 07/N error 1 8 count=1

Answers:
  read    R AA P [SS]             *AA P [SS] [-] digits (a text as it is)
  write   W AA P [SS] [-] data    *AA P [SS] [-] data (stored; a text's blanks
                                  on the left are dropped)
  command S AA C                  *AA C (recorded; any command character)
  undeclared controller           no reply at all
  write to a read-only parameter  ?AA01   (error 0, warning 1)
  unknown parameter or secondary  ?AA08   (error 0, warning 8); also for the
                                  codes * and $
  first character not R, W or S   ?AA02   (error 0, warning 2)
  request longer than 106         ?AA04   (error 0, warning 4)
  wrong length: no code, a read
  with data, a command with more
  than its character, a missing
  secondary, data not M long      ?AA2    (error 2)
  data or secondary not digits    ?AA1    (error 1)
A number's zero is never negative: a write of -0000 reads back as 0000.

Faults: TARGET KIND [ARGS] [count=N] [delay=MS] [gap=MS]
  TARGET  AA (every request to the controller), AA/P (requests with code or
          command P), AA/PSS (code P and secondary SS). The narrowest target
          wins; of equal ones the one set first, so faults set one after
          another on a target act in turn.
  normal              the right reply (with delay= or gap=: late, trickling)
  silent              no reply; the request has no effect
  error E [W]         ?AA E W CR, or ?AA E CR without W (E, W: one character
                      each: errors 0 1 2 4 8 F O P, warnings 1 2 4 8); the
                      request has no effect
  echo                the reply's echo altered (the code after the address;
                      for an error reply the address)
  first [C]           the reply's first character replaced by C (default #)
  garbage [N] [nul]   N (default 16) characters of noise then CR; with nul
                      every third one is a NUL byte
  cut [N]             only the reply's first N characters (default all but
                      the CR), no CR
  flood [N]           N (default 128) characters without any CR
  double              the reply twice, back to back
  drop [N]            the reply's first N characters (default half), then the
                      line drops: the pseudo-terminal is closed, a new one
                      comes up, the link moves to it, the ready line is
                      printed again
  raw TEXT            exactly TEXT (use \r for a CR)
  count=N             only the next N requests under the target; without it
                      until cleared
  delay=MS            wait MS milliseconds before the reply
  gap=MS              wait MS milliseconds between its characters
Except for silent and error, the controller acts on the request (stores the
write, records the command); only its reply is damaged.

Control channel (--control): one command a line, one answer line each,
"ok [RESULT]" or "error MESSAGE":
  fault TARGET KIND [ARGS] [OPTIONS]   set a fault
  clear [TARGET]                       remove all faults, or those on TARGET
  faults                               the faults in force, separated by " ; "
  set AA/P[SS] VALUE                   change a parameter's value
  get AA/P[SS]                         ok -0123, or ok "PUMP 1" for a text
  commands                             the commands acknowledged: ok 05G 07X
  stats                                ok requests=N replies=N commands=N
  line                                 ok DEVICE-PATH
  drop                                 drop the line now: ok NEW-DEVICE-PATH
                                       once the new one is up
  quit                                 stop as on SIGTERM
For example: echo 'fault 07 silent count=1' | nc -UN control.sock

Requests are answered one after another in the order they arrive; a reply
that is delayed holds up the next one, as a controller would. When the far
end leaves the line full for a second (nobody reads), the rest of the reply
and what it has not read are thrown away, as on a line with nobody listening;
a driver should still flush its input when it opens the line.
)";

}  // namespace fghsim
