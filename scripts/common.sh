# Shared by scripts/run and scripts/test: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
PACKAGES=(g++ cmake make pkg-config qt6-base-dev qt6-serialport-dev fonts-liberation fontconfig)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
      if ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Run this as root, then $0 again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
      fi
      sudo=sudo
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# build [target...]: everything, or only the targets named.
build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  local targets=()
  (($#)) && targets=(--target "$@")
  cmake --build "$BUILD" -j"$(nproc)" "${targets[@]}"
}

# A second tree that stops at the first undefined behaviour.
SANITIZED="${SANITIZED_BUILD_DIR:-$ROOT/build-ubsan}"
build_sanitized() {
  cmake -S "$ROOT" -B "$SANITIZED" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCTR_SANITIZE=ON
  cmake --build "$SANITIZED" -j"$(nproc)"
}
