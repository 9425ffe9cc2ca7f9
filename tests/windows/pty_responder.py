#!/usr/bin/env python3
"""The far end of a serial line for a Windows test program under Wine.

Usage: WINE_PREFIX_DIR=PREFIX pty_responder.py PORT WINE_RUN WINE_STOP PROGRAM [ARGUMENT...]

Creates a pseudo-terminal, maps the Windows port PORT (COM5) to its slave side through the
prefix's registry key HKLM\\Software\\Wine\\Ports, runs PROGRAM under Wine (through WINE_RUN) and
answers its requests on the master side until it exits. Each request is a line ending in a
carriage return; the ones in REPLIES get their reply, every other one none, so that the program
can wait for a reply that never comes. Exits with the program's status.
"""
import os
import select
import subprocess
import sys
import time
import tty

from wine_ports import map_port

REPLIES = {b"R07T": b"*07T0123\r"}
PROGRAM_TIMEOUT_S = 60


def fail(message):
    print(f"pty_responder: {message}", file=sys.stderr, flush=True)
    return 1


def serve(master, program):
    """Answers requests until the program exits; its status, or 1 when it ran out of time."""
    deadline = time.monotonic() + PROGRAM_TIMEOUT_S
    pending = b""
    while program.poll() is None:
        left = deadline - time.monotonic()
        if left <= 0:
            program.kill()
            program.wait()
            return fail(f"the test program did not end within {PROGRAM_TIMEOUT_S} s")
        readable, _, _ = select.select([master], [], [], min(left, 0.1))  # 0.1 s: to see it exit
        if not readable:
            continue
        pending += os.read(master, 256)
        while b"\r" in pending:
            request, pending = pending.split(b"\r", 1)
            if request in REPLIES:
                os.write(master, REPLIES[request])
    return program.returncode


def main(argv):
    if len(argv) < 5:
        return fail("usage: pty_responder.py PORT WINE_RUN WINE_STOP PROGRAM [ARGUMENT...]")
    port, wine_run, wine_stop = argv[1:4]
    master, slave = os.openpty()
    # A serial line carries bytes unchanged: no echo or translation by the pty's line discipline,
    # even before the program configures the port. Keeping the slave open also keeps reads on the
    # master from failing while the program has the port closed.
    tty.setraw(slave)
    slave_path = os.ttyname(slave)
    if not map_port(port, slave_path, wine_run, wine_stop):
        return fail(f"{port} is not mapped to {slave_path} in the Wine prefix")
    program = subprocess.Popen([wine_run, *argv[4:]])
    try:
        return serve(master, program)
    finally:
        if program.poll() is None:  # serve() failed: stop the program it was serving
            program.kill()
            program.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
