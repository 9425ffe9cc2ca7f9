#!/usr/bin/env bash
# Keeps platform code behind the comm seam and the serial library self-contained:
#  - no file under src/ outside src/serial/platform/ includes an operating system's serial or
#    Windows headers;
#  - the serial library (src/serial/) includes nothing of the driver outside src/serial/.
set -uo pipefail
src=${1:?usage: check_layering.sh SOURCE_DIR}/src
failed=0

os_headers='#include\s*<(windows\.h|winbase\.h|termios\.h|sys/ioctl\.h|sys/file\.h|poll\.h|fcntl\.h)>'
hits=$(grep -rnE "$os_headers" "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/serial/platform/")
if [ -n "$hits" ]; then
  echo "FAILED: operating-system serial headers outside src/serial/platform/:"
  echo "$hits"
  failed=1
fi

hits=$(grep -rnE '#include\s*"[a-z_]+/' "$src/serial" | grep -vE '#include\s*"(serial|tavrik)/')
if [ -n "$hits" ]; then
  echo "FAILED: the serial library includes other parts of the driver:"
  echo "$hits"
  failed=1
fi

[ $failed -eq 0 ] && echo "ok: platform headers only in src/serial/platform/; serial library self-contained"
exit $failed
