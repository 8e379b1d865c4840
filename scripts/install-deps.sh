#!/usr/bin/env bash
# Installs the Debian packages Tallero needs to build, run and test, and only
# those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev libgeos-dev fonts-liberation poppler-utils xvfb xdotool
          desktop-file-utils libxml2-utils shared-mime-info)
# The fuzzer of the DXF import (`make fuzz`) is built with clang and its
# libFuzzer runtime; nothing else needs them.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi
# The Debian package (`make package`): dpkg-shlibdeps and file work out the
# libraries it depends on.
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev file)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
