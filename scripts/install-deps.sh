#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# only those that are missing, through sudo when not root.
set -euo pipefail
# sqlcipher (the cipher's own shell) and argon2 (the reference hasher's
# command) are what tests check the data file's key against; the launch
# benchmark watches a virtual display server (xvfb) through xcb; python3's csv
# module reads the files lockora --export writes. The screen reader test
# reads the program over the accessibility bus (at-spi2-core, its client
# library libatspi2.0-dev) on a private session bus (dbus, dbus-x11; the
# screen lock's tests send the screen saver's signal on one with dbus-send) and
# types through the display server (xdotool); the install test checks the
# desktop entry with desktop-file-validate (desktop-file-utils).
packages=(cmake ninja-build g++ make pkg-config qt6-base-dev libsqlcipher-dev
          libsodium-dev libgtest-dev libgmock-dev libbenchmark-dev
          libqt6svg6 ccache sqlcipher argon2 libxcb1-dev xvfb xauth python3
          dbus dbus-x11 at-spi2-core libatspi2.0-dev xdotool desktop-file-utils)
# "fuzz" adds the compiler and runtime of the coverage-guided fuzzer.
[ "${1:-}" = fuzz ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
