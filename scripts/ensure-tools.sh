# Sourced by the run and test commands: installs the Debian packages the
# project needs when any is missing (Wine needs the i386 architecture), and
# the comma-decimal locale that the number tests run under. Quick when all is
# there already.

SIMULATOR_PACKAGES=(
  g++ cmake ninja-build googletest libbenchmark-dev libcli11-dev
  clang libclang-rt-14-dev
  g++-multilib qemu-user
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine32:i386 wine64 xvfb xauth xdotool x11-utils
  imagemagick gnuplot-nox locales
)

ensure_tools() {
  local missing=()
  local pkg
  for pkg in "${SIMULATOR_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      dpkg --add-architecture i386
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
}
