#!/usr/bin/env bash
# Quorvane on a Debian machine: installs what is missing, cross-builds the
# Windows program with mingw-w64 and runs it, or its tests, under Wine.
#
#   ./quorvane.sh run    install, build and start the planner
#   ./quorvane.sh test   install, build and run every test
#   ./quorvane.sh build  install and build only
#   ./quorvane.sh package  install, build and write build/Quorvane-portable.zip
#   ./quorvane.sh picture  install, build and make the README's picture, docs/main-window.png, anew
#   ./quorvane.sh benchmark  install, build and run the document-core, batch-command, find, report, docking, views
#                            and daily plan benchmarks, then the planner's start-up, working set and commands on large plans
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${QUORVANE_BUILD_DIR:-$here/build}
# fonts-wine: Wine's own fonts; without Marlett, check boxes, scroll arrows and
# window buttons draw as letters. fonts-liberation: the faces of Arial, Times
# New Roman and Courier New's widths, which the prefix gets in their stead
# (see link_wine_fonts). fp-utils: chmcmd, which compiles the help file.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix fp-utils
          binutils-mingw-w64-x86-64 wine wine64 fonts-wine fonts-liberation xvfb xauth googletest python3)
# chromium: the report tests open the reports' HTML in a real browser.
test_packages=(chromium)

install_missing_packages() {
    local missing=() p
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "== installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_all() {
    cmake -S "$here" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DQUORVANE_WARNINGS_AS_ERRORS="${QUORVANE_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
    cmake --build "$build"
}

# A persistent wineserver with a booted prefix: without it, CTest hangs on the
# pipes Wine's services inherit, and every test process pays for a boot.
start_wine() {
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    wine wineboot </dev/null >/dev/null 2>&1 || true
    # A crashing test program ends at once with its backtrace, instead of
    # waiting for a crash dialog nobody sees until the test's time-out.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
    link_wine_fonts
}

# Debian's Wine does not look in the folder where fonts-wine puts its fonts;
# a prefix finds them in its own Fonts folder (Marlett draws the window
# buttons, check marks and arrows; Tahoma is the dialogs' font).
# Wine takes every font fontconfig lists, and a face it lacks, such as
# Arial, from the first installed of its own list (Liberation Sans before
# DejaVu Sans, which every Debian has): the widths the tests measure would
# follow the fonts a machine happens to have. A replacement names the face
# that stands in for each missing one (and so for any other face missing),
# the same on every machine, with the widths of Windows's own.
link_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" f face
    local -A replacements=([Arial]="Liberation Sans" ["Times New Roman"]="Liberation Serif"
                           ["Courier New"]="Liberation Mono")
    for face in "${!replacements[@]}"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "${replacements[$face]}" /f \
            </dev/null >/dev/null 2>&1 || true
    done
    [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
    for f in /usr/share/wine/fonts/*; do
        [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/"
    done
}

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
}

run_tests_in_display() {
    start_wine
    trap stop_wine EXIT
    cd "$build"
    if ! ctest --output-on-failure --timeout 600 -j "$(nproc)"; then
        # The failures once more at the end, where a shortened log keeps them.
        echo "== the failed checks"
        grep -h -A6 -E ': Failure$|^\[  FAILED  \] [A-Za-z]' Testing/Temporary/LastTest.log | head -120
        return 1
    fi
}

# Every benchmark, each run even when one before it failed; the window
# benchmarks need the display that the Wine server was started in.
run_benchmarks_in_display() {
    start_wine
    trap stop_wine EXIT
    local failed=() name
    for name in document_benchmark document_speed_benchmark batch_benchmark find_benchmark reports_benchmark \
                docking_benchmark views_benchmark calendar_benchmark startup_benchmark; do
        echo "== $name"
        local began=$SECONDS
        wine "$build/bin/$name.exe" || failed+=("$name")
        echo "== $name took $((SECONDS - began)) s"
    done
    echo "== every benchmark took $SECONDS s"
    if ((${#failed[@]} > 0)); then
        echo "benchmarks that failed: ${failed[*]}" >&2
        return 1
    fi
}

# The planner on the virtual display: once its main window shows its
# document, a picture of it goes to build/quorvane-main-window.png and the
# planner is told to exit.
run_for_picture() {
    start_wine
    # No window manager runs on the virtual display: for this run Wine draws
    # the window's frame itself, as it would look under one.
    unmanaged='HKCU\Software\Wine\AppDefaults\Quorvane.exe\X11 Driver'
    wine reg add "$unmanaged" /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
    trap 'wine reg delete "$unmanaged" /f </dev/null >/dev/null 2>&1 || true; stop_wine' EXIT
    wine "$build/bin/Quorvane.exe" "$@" &
    local planner=$! shot=0
    QUORVANE_SCREENSHOT_DIR=$(winepath -w "$build" 2>/dev/null) \
        wine "$build/bin/main_window_shot.exe" quorvane-main-window || shot=$?
    wait "$planner" || true
    if [ "$shot" -eq 0 ]; then
        echo "The main window: $build/quorvane-main-window.png"
    else
        echo "No picture of the main window was made" >&2
        return 1
    fi
}

# The README's picture: the user's-day test's last picture of the main
# window, its image data compressed. Nothing is written when the test fails.
make_readme_picture() {
    start_wine
    trap stop_wine EXIT
    local shot="$build/screenshots/day/main_window.png"
    rm -f "$shot"
    wine "$build/bin/app_tests.exe" --gtest_filter='UserDay*'
    if [ ! -f "$shot" ]; then
        echo "The user's-day test left no picture at $shot" >&2
        return 1
    fi
    python3 "$here/testing/recompress_png.py" "$shot" "$here/docs/main-window.png"
    echo "The README's picture: $here/docs/main-window.png"
}

case "${1:-}" in
    run)
        install_missing_packages
        build_all
        if [ -n "${DISPLAY:-}" ]; then
            start_wine
            # 1 is the planner's code after a close, 0 after handing over
            # to a running planner: only another code is worth a word.
            rc=0
            wine "$build/bin/Quorvane.exe" "${@:2}" || rc=$?
            [ "$rc" -le 1 ] || echo "Quorvane ended with code $rc"
        else
            echo "== no display: the planner runs on a virtual one and leaves a picture of its window"
            xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --picture-in-display "${@:2}"
        fi
        ;;
    --picture-in-display)
        run_for_picture "${@:2}"
        ;;
    test)
        install_missing_packages "${test_packages[@]}"
        build_all
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --tests-in-display
        ;;
    build)
        install_missing_packages
        build_all
        ;;
    package)
        install_missing_packages
        build_all
        echo "The portable program: $build/Quorvane-portable.zip (unpack it anywhere on Windows and start Quorvane.exe)"
        ;;
    benchmark)
        install_missing_packages
        build_all
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --benchmarks-in-display
        ;;
    picture)
        install_missing_packages
        build_all
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --picture-for-readme
        ;;
    --picture-for-readme)
        make_readme_picture
        ;;
    --benchmarks-in-display)
        run_benchmarks_in_display
        ;;
    --tests-in-display)
        run_tests_in_display
        ;;
    *)
        echo "usage: $0 run|test|build|package|benchmark|picture" >&2
        exit 2
        ;;
esac
