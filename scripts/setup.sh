#!/usr/bin/env bash
# Installs what Vellandex needs on Debian 12, builds it, and then either registers the add-in
# with the desktop host and runs it on the sample contract (--run-sample, the default) or runs
# the whole test suite and the fuzz targets (--test).
set -euo pipefail

mode="${1:---run-sample}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

packages=(
  g++ cmake ninja-build pkg-config
  libpugixml-dev libzip-dev libicu-dev qt6-base-dev libqt6svg6
  libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all required packages are installed"
    return
  fi
  echo "setup: installing ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$(nproc)"
}

case "$mode" in
  --run-sample)
    install_packages "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=Release -DVLX_BUILD_TESTS=OFF -DVLX_WERROR=OFF -DVLX_SANITIZE=OFF
    ./build/app/vellandex register
    out="$(mktemp -d)/sample-contract-indexed.docx"
    ./build/app/vellandex index examples/sample-contract.docx -o "$out"
    echo "setup: to index it yourself, open it in the desktop host: ./build/app/vellandex examples/sample-contract.docx"
    echo "setup: the sample contract was indexed; the indexed copy is $out"
    ;;
  --test)
    install_packages "${packages[@]}" libreoffice-writer-nogui fonts-liberation2 poppler-utils python3-uno python3-docx clang libclang-rt-14-dev
    build build-test -DCMAKE_BUILD_TYPE=Debug -DVLX_WERROR=ON -DVLX_SANITIZE=ON
    ctest --test-dir build-test --output-on-failure -j "$(nproc)"
    # The fidelity suite's verdict on each corpus file (ctest shows a passing test's output only in its log).
    grep -E '^(pass|FAIL) |^[0-9]+ passed, [0-9]+ failed$' build-test/Testing/Temporary/LastTest.log || true
    # The fuzz targets (fuzz/README.md): clang in a folder of their own, each for a bounded time.
    build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVLX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
    ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: scripts/setup.sh [--run-sample | --test]" >&2
    exit 2
    ;;
esac
