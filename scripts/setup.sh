#!/usr/bin/env bash
# Installs every Debian package Quillory needs to build, test, benchmark and
# fuzz. Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  g++ clang clang-format cmake ninja-build pkg-config git
  libicu-dev libgtest-dev libgmock-dev libbenchmark-dev libffi-dev
  libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
  qt6-translations-l10n breeze-icon-theme libqt6svg6
  xvfb xauth fonts-noto-cjk
  zlib1g-dev fp-utils chromium python3 halibut
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "All packages present."
fi
