#!/usr/bin/env bash
# Installs the Debian packages Ketterby needs, if missing: with no argument what building and
# running the programs need (make run); with --all also what the tests, the benchmarks, the fuzz
# target and the Debian package need (make test, make bench, make fuzz, make package, CI). --list
# prints the first.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsqlcipher-dev libsodium-dev libssl-dev
          libcsv-dev)
if [ "${1:-}" = --list ]; then
    echo "${packages[@]}"
    exit 0
fi
if [ "${1:-}" = --all ]; then
    # tests: the README's recipe (sqlcipher, argon2), a folder made unwritable (e2fsprogs'
    # chattr), the install tree's validators, a private D-Bus daemon (dbus) and jemalloc to run
    # the command-line test under
    packages+=(sqlcipher argon2 e2fsprogs desktop-file-utils appstream appstream-util groff-base
               dbus libjemalloc2)

    # benchmarks: Google Benchmark, and timing the first window from outside on a virtual display
    packages+=(libbenchmark-dev xvfb xauth x11-utils imagemagick xdotool libxcb1-dev
               libxcb-damage0-dev)
    # fuzzing the import reader: clang and its libFuzzer and sanitizer runtimes
    packages+=(clang libclang-rt-14-dev)
    # the package: dpkg-shlibdeps (dpkg-dev) finds its dependencies with file's help; lintian
    packages+=(dpkg-dev file lintian)
fi
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
