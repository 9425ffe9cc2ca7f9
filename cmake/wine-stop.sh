#!/usr/bin/env bash
# Stops the Wine server of the build tree's private prefix and waits until it is gone. A prefix
# with no server running is already stopped.
set -uo pipefail
export WINEPREFIX="${WINE_PREFIX_DIR:?WINE_PREFIX_DIR names the prefix}"
wineserver --kill 2>/dev/null || true
exec timeout 30 wineserver --wait
