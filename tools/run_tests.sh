#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs all tests: the
# Windows programs, cross-built and run under Wine (docs/windows.md), then the
# Linux build, its Debian package (installed, started and removed) and its tests. A part that fails or is skipped leaves the others running;
# the last lines say what each part gave, and the exit status is non-zero when any
# part failed. ELVARIN_SKIP_WINDOWS=1 leaves the Windows part out.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-tests"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

summary=()
any_failed=false
any_skipped=false
part() { summary+=("$(printf '%-28s %s' "$1:" "$2")"); }
part_failed() { part "$1" "FAILED${2:+ ($2)}"; any_failed=true; }

"$top/tools/install_deps.sh" || part_failed "packages" "tools/install_deps.sh"

if [ "${ELVARIN_SKIP_WINDOWS:-0}" = 1 ]; then
    part "Windows" "skipped (ELVARIN_SKIP_WINDOWS=1)"
    any_skipped=true
else
    built=()
    for arch in i686 x86_64; do
        if bash "$top/tools/windows_build.sh" "$arch"; then
            built+=("$arch")
            part "Windows $arch cross-build" "passed"
        else
            part_failed "Windows $arch cross-build"
        fi
    done
    if [ ${#built[@]} -gt 0 ]; then
        bash "$top/tools/wine_checks.sh" "${built[@]}" | tee "$log"
        wine_status=${PIPESTATUS[0]}
        # Its closing lines: "wine <arch>: N passed, N failed" or "... skipped (reason: ...)".
        wine_failures=0
        while read -r arch result; do
            arch=${arch%:}
            if [[ "$result" == skipped* ]]; then
                part "Wine checks $arch" "$result"
                any_skipped=true
            elif [[ "$result" =~ ^[0-9]+\ passed,\ 0\ failed$ ]]; then
                part "Wine checks $arch" "passed ($result)"
            else
                part_failed "Wine checks $arch" "$result"
                wine_failures=$((wine_failures + 1))
            fi
        done < <(sed -n 's/^wine \(i686\|x86_64\): /\1: /p' "$log")
        if [ "$wine_status" -ne 0 ] && [ "$wine_failures" -eq 0 ]; then
            part_failed "Wine checks" "exit status $wine_status"
        fi
    fi
fi

rm -rf "$build"
if cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release && cmake --build "$build" -j"$(nproc)"; then
    # The Debian package made from this build: its contents, lintian, and installing,
    # starting and removing it on this machine (needs root; docs/package.md).
    if [ "$(id -u)" -ne 0 ]; then
        part "Debian package" "skipped (installing a package needs root)"
        any_skipped=true
    else
        bash "$top/tools/package_check.sh" --here "$build" | tee "$log"
        package_status=${PIPESTATUS[0]}
        counts=$(grep -E '^package: ' "$log" | tail -1)
        if [ "$package_status" -eq 0 ]; then
            part "Debian package" "passed${counts:+ (${counts#package: })}"
        else
            part_failed "Debian package" "${counts:-exit status $package_status}"
        fi
    fi
    (cd "$build" && ctest --output-on-failure -j"$(nproc)") | tee "$log"
    ctest_status=${PIPESTATUS[0]}
    counts=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -1)
    if [ "$ctest_status" -eq 0 ]; then
        part "Linux tests" "passed${counts:+ ($counts)}"
    else
        part_failed "Linux tests" "${counts:-ctest exit status $ctest_status}"
    fi
else
    part_failed "Linux build"
fi

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
if $any_failed; then
    echo "Tests FAILED (see above)."
    exit 1
fi
if $any_skipped; then
    echo "All tests that could run passed; the skipped parts say why above."
else
    echo "All tests passed."
fi
