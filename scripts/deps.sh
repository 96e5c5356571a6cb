#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Pelmark need (Debian 12, as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libgl-dev
  libxml2-dev libexiv2-dev pkg-config
  xvfb xauth python3 locales
  # GPX tracks (XML) and camera time zones (the system's zone database)
  libexpat1-dev libhowardhinnant-date-dev tzdata
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
