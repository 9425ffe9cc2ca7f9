#!/usr/bin/env bash
# A short tour of the driver through orvhost, against fghsim playing tools/fghsim/sample.plant
# on a pseudo-terminal. One command on a fresh Debian machine:
#   bash scripts/demo.sh
# Installs what the native build needs if it is missing, builds the native preset's targets
# tavrik, peltar, fghsim and orvhost, runs the tour (a few seconds) and cleans up after itself.
# TAVRIK_DEMO_BUILD_DIR=DIR builds in DIR instead of the native preset's build/native.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

# --- what the native build needs -------------------------------------------------------------
scripts/install-deps.sh cmake make g++ libgtest-dev

# --- the build ---------------------------------------------------------------------------------
targets=(tavrik peltar fghsim orvhost)
build_dir=${TAVRIK_DEMO_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  build_dir=$repo/build/native
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$(nproc)" --target "${targets[@]}" >/dev/null
else
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}" >/dev/null
fi
bin=$(cd "$build_dir/bin" && pwd)

# --- the simulated line ------------------------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/orvhost-demo.XXXXXX")
fghsim_pid=""
cleanup() {
  if [ -n "$fghsim_pid" ]; then
    kill -TERM "$fghsim_pid" 2>/dev/null || true
    wait "$fghsim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

# The first read of controller 01's counter (01C) gets four characters of its reply, then the
# line drops and a new one comes up behind ./line0: the poll below meets it.
"$bin/fghsim" --plant "$repo/tools/fghsim/sample.plant" --link ./line0 --ready-file ./ready \
  --trace ./fghsim.trace --fault "01/C drop 4 count=1" >fghsim.out 2>&1 &
fghsim_pid=$!
for _ in $(seq 100); do
  [ -e ready ] && break
  kill -0 "$fghsim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -e ready ]; then
  echo "fghsim did not come up:" >&2
  cat fghsim.out >&2
  exit 1
fi

# --- the tour ----------------------------------------------------------------------------------
section() { printf '\n== %s\n' "$*"; }
# The command line as one would type it: words with blanks or shell characters in quotes.
show() {
  local word line="\$ orvhost"
  for word in "$@"; do
    if [[ $word =~ ^[A-Za-z0-9_./:=+-]+$ ]]; then line+=" $word"; else line+=" '$word'"; fi
  done
  printf '%s\n' "$line"
}
note() { printf '   %s\n' "$*"; }
# Shows the command, runs it (standard error with standard output) and its exit status.
run() {
  show "$@"
  local status=0
  "$bin/orvhost" "$@" 2>&1 || status=$?
  printf '[exit %d]\n' "$status"
}
# The same, without the two trace lines a pseudo-terminal gives every request: it has no
# request-to-send line for the driver to raise.
run_traced() {
  show "$@"
  local status=0
  "$bin/orvhost" "$@" >traced.out 2>&1 || status=$?
  grep -v 'EscapeCommFunction() failed' traced.out || true
  printf '[exit %d]\n' "$status"
}

echo "fghsim plays tools/fghsim/sample.plant on $(cat ready), linked as ./line0:"
echo "controllers 01, 02 and 05 answer, 12 never answers, 13 answers every request with an error."

section "1. The driver's description: GetOrvInfo, the banner converted from code page 437"
run info

section "2. Cold start: the instance opens ./line0 (--trace shows the driver's own lines)"
run_traced --trace --port ./line0 read 01T
note "A port that cannot be opened: ColdStart is not done."
run --port ./nothere read 01T

section "3. Parsing a gate list and reading it: 16-bit, 32-bit (02PS01L06: 6 digits) and text"
note "0AT is no address: the driver's parser refuses it and says why; the rest are read."
run --port ./line0 read 01T 01S 02PS01L06 01NL08:text 02LL16:text 0AT

section "4. Writes, read back in the same run"
run --port ./line0 write 01S=-55 02PS02L06=1475 01NL08:text="OVEN 2" read 01S 02PS02L06 01NL08:text

section "5. A command: writing a command gate sends it"
run --port ./line0 write '05$G'
note "What the line carried (fghsim's trace):"
{ grep -A1 '"S05G' fghsim.trace || true; } | sed 's/^/   /'

section "6. Communication control: controllers 00-09 off, then on again"
note "The state lives in the instance block, so all of it happens in one run; a disabled"
note "controller is not asked at all (result 1 at once)."
run --port ./line0 write '0X*=0' read 01T 02PS01L06 write '0X*=1' read 01T

section "7. Failures and the log lines that explain them (--trace)"
note "12T: silence, four attempts of one reply time-out each (result 2); 13T: an error reply"
note "each time (result 1); 01V: read-only, the controller's warning (result 1)."
run_traced --trace --port ./line0 read 12T 13T write 01V=1300

section "8. Command lines orvhost refuses before calling the driver (exit status 2)"
run --port /dev/serial/by-id/usb-FTDI_FT232R_A100 read 01T
run --port ./line0 write 01T=40000
run --port ./line0 --parity high read 01T

section "9. Output for scripts: one JSON document"
run --json --port ./line0 read 01T 01NL08:text

section "10. Polling with the host's own recovery"
cat >gates.txt <<'EOF'
# gate list: one GATE[:TYPE] a line
01T             # process value
01CL10:u32      # run-time counter: its first read meets the line dropping
01NL08:text
13T             # answers with an error
EOF
note "gates.txt:"
sed 's/^/   /' gates.txt
note "After two result-2 reads in a row the host closes the port and opens it again."
run --port ./line0 poll --rounds 3 --period 300 --reopen-after 2 gates.txt

echo
echo "End of the tour."
