#!/usr/bin/env python3
"""Runs a Windows test program under Wine against fghsim on a COM port.

Usage: WINE_PREFIX_DIR=PREFIX run_with_fghsim.py PORT WINE_RUN WINE_STOP FGHSIM PLANT WORKDIR
           PROGRAM [ARGUMENT...]

Starts FGHSIM (the native simulator) with PLANT, its line behind the link WORKDIR/line0, maps
the Windows port PORT (COM5) to that link, so that a line which drops and comes back is found
again under the same name, runs PROGRAM under Wine, stops the simulator by its process id and
exits with the program's status. The simulator's trace and output stay in WORKDIR.
"""
import os
import shutil
import signal
import subprocess
import sys
import time

from wine_ports import map_port

START_TIMEOUT_S = 10
PROGRAM_TIMEOUT_S = 240
STOP_TIMEOUT_S = 5


def fail(message):
    print(f"run_with_fghsim: {message}", file=sys.stderr, flush=True)
    return 1


def start_simulator(fghsim, plant, workdir):
    """The running simulator once its line is up, or None."""
    ready = os.path.join(workdir, "ready")
    with open(os.path.join(workdir, "fghsim.out"), "wb") as out:
        simulator = subprocess.Popen(
            [fghsim, "--plant", plant, "--link", os.path.join(workdir, "line0"),
             "--ready-file", ready, "--trace", os.path.join(workdir, "fghsim.trace")],
            stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
    deadline = time.monotonic() + START_TIMEOUT_S
    while not os.path.exists(ready):
        if simulator.poll() is not None or time.monotonic() > deadline:
            stop(simulator)
            return None
        time.sleep(0.01)
    return simulator


def stop(simulator):
    if simulator.poll() is None:
        simulator.send_signal(signal.SIGTERM)
        try:
            simulator.wait(timeout=STOP_TIMEOUT_S)
        except subprocess.TimeoutExpired:
            simulator.kill()
            simulator.wait()


def main(argv):
    if len(argv) < 8:
        return fail("usage: run_with_fghsim.py PORT WINE_RUN WINE_STOP FGHSIM PLANT WORKDIR "
                    "PROGRAM [ARGUMENT...]")
    port, wine_run, wine_stop, fghsim, plant, workdir = argv[1:7]
    if not os.access(fghsim, os.X_OK):
        return fail(f"no simulator at {fghsim}: build the native preset first")
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    simulator = start_simulator(fghsim, plant, workdir)
    if simulator is None:
        return fail(f"fghsim did not come up; see {workdir}/fghsim.out")
    try:
        if not map_port(port, os.path.join(workdir, "line0"), wine_run, wine_stop):
            return fail(f"{port} is not mapped to the simulator's line in the Wine prefix")
        try:
            return subprocess.run([wine_run, *argv[7:]], timeout=PROGRAM_TIMEOUT_S).returncode
        except subprocess.TimeoutExpired:
            return fail(f"the test program did not end within {PROGRAM_TIMEOUT_S} s")
    finally:
        stop(simulator)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
