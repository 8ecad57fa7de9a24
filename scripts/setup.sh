#!/usr/bin/env bash
# Installs what Vellandex needs on Debian 12, builds it, and then either runs it on the
# sample contract (--run-sample, the default) or runs the whole test suite (--test).
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

# Registers the engine just built for this user: the host creates it through the registration
# files of its registry folders, and the user's folder comes first.
register_engine() {
  local config="${XDG_CONFIG_HOME:-}"
  [[ "$config" == /* ]] || config="${HOME:?neither XDG_CONFIG_HOME nor HOME is set}/.config"
  local folder="$config/vellandex-host/registry"
  mkdir -p "$folder"
  cp build/engine/OSVLXDLL.json "$folder/.OSVLXDLL.json.new"
  mv -f "$folder/.OSVLXDLL.json.new" "$folder/OSVLXDLL.json"
  echo "setup: registered the engine $root/build/engine/libOSVLXDLL.so in $folder/OSVLXDLL.json"
}

case "$mode" in
  --run-sample)
    install_packages "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=Release -DVLX_BUILD_TESTS=OFF -DVLX_WERROR=OFF -DVLX_SANITIZE=OFF
    register_engine
    out="$(mktemp -d)/sample-contract.docx"
    ./build/app/vellandex resave examples/sample-contract.docx "$out"
    ./build/app/vellandex dump "$out"
    echo "setup: the sample contract was read, saved to $out and read back"
    ;;
  --test)
    install_packages "${packages[@]}" libreoffice-writer-nogui fonts-liberation2
    build build-test -DCMAKE_BUILD_TYPE=Debug -DVLX_WERROR=ON -DVLX_SANITIZE=ON
    ctest --test-dir build-test --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: scripts/setup.sh [--run-sample | --test]" >&2
    exit 2
    ;;
esac
