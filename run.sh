#!/usr/bin/env bash
# Builds the driver and the reference host, then describes the device and runs
# acquisitions through the driver's exports: Simulator.dll under Wine, or,
# where this machine cannot run 32-bit Windows programs, the same driver built
# for Linux (libSimulator.so).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-tools.sh
source scripts/wine-session.sh
ensure_tools

build() {
  cmake --preset "$1" >/dev/null
  cmake --build "build/$1" -j2 --target Simulator crvhost >/dev/null
}

if wine_usable; then
  build win32
  driver=build/win32/driver/Simulator.dll
  host=(wine build/win32/tools/crvhost/crvhost.exe)
  trap wine_session_stop EXIT
  wine_session_start
else
  echo "(This machine cannot run 32-bit Windows programs; running the Linux build of the driver.)"
  build native-release
  driver=build/native-release/driver/libSimulator.so
  host=(build/native-release/tools/crvhost/crvhost)
fi

config="${driver%.*}.CFG"
if [ ! -f "$config" ]; then
  printf '[Simulator Configuration]\r\nSpecSize=2048\r\n' >"$config"
fi

echo "\$ crvhost info $(basename "$driver")"
"${host[@]}" info "$driver"
echo
echo "\$ crvhost acquire $(basename "$driver") --count 1000"
"${host[@]}" acquire "$driver" --count 1000

# One acquisition of each spectrum type with the default ratio, written as CSV
# and drawn into output/<type>.png.
types=(bandwidth-limited chirped spectral-calibration baseline-calibration)
for type in 0 1 2 3; do
  folder=output/${types[$type]}
  echo
  echo "\$ crvhost acquire $(basename "$driver") --type $type --out $folder"
  "${host[@]}" acquire "$driver" --type "$type" --out "$folder" | tail -n 1
  gnuplot -e "folder='$folder'; title='Simulator: ${types[$type]} spectra, ratio 1000'; output='$folder.png'" \
    scripts/plot-channels.gp
  echo "drew $folder.png"
done
