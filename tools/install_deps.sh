#!/usr/bin/env bash
# Installs the Debian packages that are missing, as root or through sudo; the package
# lists are brought up to date first whenever something is to be installed.
#
#   tools/install_deps.sh [GROUP|PACKAGE]...     (default: linux)
#
# Groups:
#   linux     building the programs and running the Linux tests (korvane's resources
#             are compiled by mingw-w64's windres, which preprocesses with its gcc)
#   windows   cross-building the Windows programs and their installers (tools/windows_build.sh)
#   wine      running them under Wine on a virtual display (tools/wine_checks.sh)
#   package   checking the Debian package (tools/package_check.sh)
# Any other word is a package name, such as wine32:i386. Exits with a non-zero status
# when the packages cannot be installed.
set -euo pipefail

packages=()
for wanted in "${@:-linux}"; do
    case "$wanted" in
        linux) packages+=(build-essential cmake python3 libgtest-dev libbenchmark-dev qt6-base-dev
                          binutils-mingw-w64-x86-64 gcc-mingw-w64-x86-64-win32
                          faketime xvfb xdotool imagemagick parallel) ;;
        windows) packages+=(mingw-w64 cmake make libgtest-dev nsis) ;;
        wine) packages+=(wine wine64 xvfb xdotool imagemagick openbox python3-xlib) ;;
        package) packages+=(dpkg-dev lintian desktop-file-utils appstream) ;;
        *) packages+=("$wanted") ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    [[ " ${missing[*]} " == *" $p "* ]] && continue
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
