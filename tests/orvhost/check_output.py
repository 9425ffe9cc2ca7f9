#!/usr/bin/env python3
"""Runs a command and checks its exit status and standard output, line by line.

Usage: check_output.py STATUS EXPECTED_FILE COMMAND [ARGUMENT...]

The output is taken from a file, not a pipe, so that a process the command leaves behind (a Wine
server) cannot hold the check up; carriage returns before line feeds (Windows programs) are
dropped. Prints the differences and exits 1 on any mismatch.
"""
import difflib
import subprocess
import sys
import tempfile

RUN_TIMEOUT_S = 280


def main(argv):
    if len(argv) < 4:
        print("usage: check_output.py STATUS EXPECTED_FILE COMMAND [ARGUMENT...]", file=sys.stderr)
        return 1
    expected_status = int(argv[1])
    with open(argv[2], encoding="utf-8") as expected_file:
        expected = expected_file.read().splitlines()
    with tempfile.TemporaryFile() as out:
        try:
            status = subprocess.run(argv[3:], stdout=out, timeout=RUN_TIMEOUT_S).returncode
        except subprocess.TimeoutExpired:
            print(f"check_output: the command did not end within {RUN_TIMEOUT_S} s",
                  file=sys.stderr)
            return 1
        out.seek(0)
        actual = out.read().decode("utf-8", errors="replace").replace("\r\n", "\n").splitlines()
    failed = False
    if status != expected_status:
        print(f"check_output: exit status {status}, expected {expected_status}", file=sys.stderr)
        failed = True
    if actual != expected:
        print("check_output: the output differs (- expected, + actual):", file=sys.stderr)
        sys.stderr.writelines(line + "\n" for line in
                              difflib.unified_diff(expected, actual, lineterm=""))
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
