#!/usr/bin/env bash
# Builds the driver and the reference host, then describes the device, runs
# acquisitions through the driver's exports, and writes and plots the channels
# of each spectrum type.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-tools.sh
source scripts/wine-session.sh
ensure_tools

build() {
  cmake --preset "$1" >/dev/null
  cmake --build "build/$1" -j2 --target Simulator crvhost >/dev/null
}

# Simulator.dll under Wine: the shipped 32-bit build, or, where this machine
# cannot run 32-bit programs, the same driver built for 64-bit Windows under
# 64-bit Wine; without Wine at all, the Linux build of the driver.
if wine_usable win32; then
  arch=win32
elif wine_usable win64; then
  arch=win64
  echo "(This machine cannot run 32-bit programs: running the 64-bit Windows build under 64-bit Wine.)"
else
  arch=
  echo "(This machine cannot run Windows programs: running the Linux build of the driver.)"
fi
if [ -n "$arch" ]; then
  build "$arch"
  driver=build/$arch/driver/Simulator.dll
  trap wine_session_stop EXIT
  wine_session_start "$arch"
  host=("$WINE_LOADER" "build/$arch/tools/crvhost/crvhost.exe")
else
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
