#!/usr/bin/env bash
# Cross-builds the Windows programs with Debian's mingw-w64: trainer.exe, korvane.exe,
# make_population.exe and the tests, for 32-bit (i686) and/or 64-bit (x86_64)
# Windows, in build-mingw-<arch>, and packs the programs with the cursor files, the
# default hall of fame and a README into build-mingw-<arch>/elvarin-<version>-windows-<arch>.zip,
# and into the installer build-mingw-<arch>/elvarin-<version>-windows-<arch>-setup.exe
# (Debian's nsis). Installs the packages it needs when they are missing.
#
#   bash tools/windows_build.sh [i686|x86_64|all]     (default: all)
#
# tools/wine_checks.sh then runs the tests and the programs under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

case "${1:-all}" in
    i686|x86_64) arches=("$1") ;;
    all) arches=(i686 x86_64) ;;
    *) echo "usage: $0 [i686|x86_64|all]" >&2; exit 2 ;;
esac

"$top/tools/install_deps.sh" windows

for arch in "${arches[@]}"; do
    build="$top/build-mingw-$arch"
    echo "== Windows $arch: $build"
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake"
    cmake --build "$build" -j2 --target trainer korvane korvane_cursor_files make_population unit_tests windows_tests \
          hold_file show_window
    for exe in trainer/trainer.exe game/korvane.exe make_population/make_population.exe tests/unit/unit_tests.exe \
               tests/windows/windows_tests.exe tests/windows/hold_file.exe tests/windows/show_window.exe; do
        [ -f "$build/$exe" ] || { echo "missing: $build/$exe" >&2; exit 1; }
    done
    echo "== Windows $arch: built trainer.exe, korvane.exe, make_population.exe, unit_tests.exe, windows_tests.exe, hold_file.exe, show_window.exe"
    # The zip to unpack and play, and the installer: cpack builds whatever else the install
    # rules need.
    rm -f "$build"/elvarin-*-windows-"$arch".zip "$build"/elvarin-*-windows-"$arch"-setup.exe
    (cd "$build" && cpack -G ZIP > "$build/zip.log" 2>&1) || { cat "$build/zip.log" >&2; exit 1; }
    echo "== Windows $arch: packed $(ls "$build"/elvarin-*-windows-"$arch".zip)"
    (cd "$build" && cpack -G NSIS > "$build/setup.log" 2>&1) || { cat "$build/setup.log" >&2; exit 1; }
    echo "== Windows $arch: made the installer $(ls "$build"/elvarin-*-windows-"$arch"-setup.exe)"
done
