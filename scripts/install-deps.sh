#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# only those that are missing, through sudo when not root.
set -euo pipefail
# sqlcipher (the cipher's own shell) and argon2 (the reference hasher's
# command) are what tests check the data file's key against; the launch
# benchmark watches a virtual display server (xvfb) through xcb; python3's csv
# module reads the files lockora --export writes.
packages=(cmake ninja-build g++ make pkg-config qt6-base-dev libsqlcipher-dev
          libsodium-dev libgtest-dev libgmock-dev libbenchmark-dev
          libqt6svg6 ccache sqlcipher argon2 libxcb1-dev xvfb xauth python3)
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
