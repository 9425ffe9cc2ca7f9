#!/usr/bin/env bash
# Runs a Windows program under 32-bit Wine in the build tree's private prefix.
# WINE_PREFIX_DIR may name the prefix; by default it is ./wine-prefix of the current build tree,
# which CTest runs from.
set -euo pipefail
export WINEPREFIX="${WINE_PREFIX_DIR:-${TAVRIK_BUILD_DIR:-$PWD}/wine-prefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: console test programs need neither, and their installers would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
exec wine "$@"
