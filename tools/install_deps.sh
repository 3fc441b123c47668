#!/usr/bin/env bash
# Installs the Debian packages that building and testing need (as root, or through
# sudo), or only the packages named as arguments.
set -euo pipefail
packages=(build-essential cmake python3 libgtest-dev libbenchmark-dev qt6-base-dev faketime xvfb xdotool imagemagick
          parallel)
[ $# -eq 0 ] || packages=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
