#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Ketterby need, if missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsqlcipher-dev libsodium-dev libssl-dev
          libcsv-dev libbenchmark-dev sqlcipher argon2 e2fsprogs xvfb xauth imagemagick xdotool
          desktop-file-utils appstream libxcb1-dev libxcb-damage0-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" </dev/null
