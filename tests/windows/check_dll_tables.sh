#!/usr/bin/env bash
# Checks a DLL's export and import tables with the mingw objdump.
#   check_dll_tables.sh OBJDUMP DLL --exports "A B" --imports "X.dll Y.dll" [--import-symbol DLL:SYMBOL]
# --exports: the exact set of exported names. --imports: the DLLs it may import from (compared
# without regard to case, as Windows does); every one of them must be imported. --import-symbol:
# a symbol that must be imported by name from the given DLL.
set -euo pipefail
objdump=$1 dll=$2
shift 2
exports="" imports="" symbols=()
while [ $# -gt 0 ]; do
  case $1 in
    --exports) exports=$2; shift 2 ;;
    --imports) imports=$2; shift 2 ;;
    --import-symbol) symbols+=("$2"); shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

table=$("$objdump" -p "$dll")
sorted() { tr ' ' '\n' | sed '/^$/d' | tr '[:upper:]' '[:lower:]' | sort; }
failed=0

actual_exports=$(printf '%s\n' "$table" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
if [ "$actual_exports" != "$(printf '%s' "$exports" | tr ' ' '\n' | sed '/^$/d' | sort)" ]; then
  echo "FAILED: $dll exports [$actual_exports], expected [$exports]"
  failed=1
fi

actual_imports=$(printf '%s\n' "$table" | sed -n 's/^\s*DLL Name: //p' | sorted)
if [ "$actual_imports" != "$(printf '%s' "$imports" | sorted)" ]; then
  echo "FAILED: $dll imports from [$(echo $actual_imports)], expected [$imports]"
  failed=1
fi

for entry in "${symbols[@]}"; do
  from=${entry%%:*} symbol=${entry#*:}
  # The hint/name lines of one DLL run from its "DLL Name" line to the next blank line.
  names=$(printf '%s\n' "$table" |
    awk -v dll="$from" 'tolower($0) ~ "dll name: " tolower(dll) "$" {on=1; next} on && /^\s*$/ {on=0} on {print $NF}')
  if ! printf '%s\n' "$names" | grep -qx "$symbol"; then
    echo "FAILED: $dll does not import $symbol by name from $from"
    failed=1
  fi
done

[ $failed -eq 0 ] && echo "ok: $dll export and import tables"
exit $failed
