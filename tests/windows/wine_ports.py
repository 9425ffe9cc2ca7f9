"""Mapping a Windows COM port of the build tree's Wine prefix to a Unix device."""
import os
import subprocess

PORTS_KEY = r"HKLM\Software\Wine\Ports"
STEP_TIMEOUT_S = 30  # each Wine command
# Wine commands whose output nobody reads: a Wine server they start must not hold our pipes open.
QUIET = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def map_port(port, device_path, wine_run, wine_stop):
    """Maps the port (COM5) to device_path; True once the mapping is in effect."""
    subprocess.run([wine_run, "reg", "add", PORTS_KEY, "/v", port, "/d", device_path, "/f"],
                   check=True, timeout=STEP_TIMEOUT_S, **QUIET)
    # Wine's mount manager reads the key only when it starts, with the prefix's Wine server: stop
    # the server, then start it again with any Wine command.
    subprocess.run([wine_stop], check=True, timeout=STEP_TIMEOUT_S, **QUIET)
    subprocess.run([wine_run, "reg", "query", PORTS_KEY, "/v", port],
                   check=True, timeout=STEP_TIMEOUT_S, **QUIET)
    # The mount manager has made the port's device link: the readiness the program depends on.
    link = os.path.join(os.environ["WINE_PREFIX_DIR"], "dosdevices", port.lower())
    return os.path.islink(link) and os.readlink(link) == device_path
