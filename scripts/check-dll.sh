#!/usr/bin/env bash
# Checks a built driver DLL the way the loader sees it: the thirteen entries
# exported under their plain names, no decorated name, and no import of a
# compiler runtime DLL (the C and C++ runtimes are linked in statically).
# Prints one line "check <name>: passed|failed" per check.
set -u
dll=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
dump=$("$objdump" -p "$dll" 2>&1)
entries="GetLibInfo CRVDEV_Init CRVDEV_Done CRVDEV_Reset CRVDEV_SetupDialog CRVDEV_GetStatus CRVDEV_GetErrorMsg
CRVDEV_Start CRVDEV_Stop CRVDEV_GetChannelData CRVDEV_GetHintMsg CRVDEV_Reconfigure CRVDEV_SetROI"
exported=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] \(.*\)$/\1/p')

status=0
report() {
  if [ "$2" = 0 ]; then echo "check $1: passed"; else echo "check $1: failed"; status=1; fi
}

missing=0
for entry in $entries; do
  if ! grep -qx "$entry" <<<"$exported"; then echo "  missing export $entry"; missing=1; fi
done
report "exports-undecorated" $(( missing || $(grep -c '@' <<<"$exported") ))

runtime=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | grep -iE 'libstdc|libgcc|libwinpthread|mingw' || true)
[ -n "$runtime" ] && echo "  imports $runtime"
report "no-runtime-dll" $([ -z "$runtime" ]; echo $?)
exit $status
