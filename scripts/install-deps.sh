#!/usr/bin/env bash
# Installs the Debian packages Orbelle needs to build, test and run, and only
# those that are missing. Safe to run again; needs root on a fresh machine.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libx11-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-ipafont-gothic libxkbcommon-x11-0 xdg-utils
  xvfb xauth poppler-utils
  appstream desktop-file-utils groff-base man-db
  # The package's checks: the catalogue a software centre composes, and
  # Debian's package checker.
  appstream-compose lintian
  # clang with its sanitizer and libFuzzer runtimes and the symbolizer of
  # the sanitizer reports: the sanitizer build and the fuzz targets.
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All build packages are present."
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
