#!/usr/bin/env bash
# Unpacks the portable zip into a fresh folder, starts the planner from there
# and waits until its main window shows a document; then it is told to exit.
#
#   portable_zip_test.sh <zip> <main_window_shot.exe> <picture folder>
set -euo pipefail
zip=$1 shooter=$2 pictures=$3

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
(cd "$folder" && cmake -E tar xf "$zip")
program="$folder/Quorvane/Quorvane.exe"
for shipped in "$program" "$folder/Quorvane/Language/English.txt" "$folder/Quorvane/Tips/TipsEnglish.txt" \
               "$folder/Quorvane/Quorvane.chm"; do
    [ -e "$shipped" ] || { echo "missing from the zip: ${shipped#$folder/}" >&2; exit 1; }
done

mkdir -p "$pictures"
wine "$program" &
planner=$!
shot=0
QUORVANE_SCREENSHOT_DIR=$(winepath -w "$pictures") wine "$shooter" portable-main-window || shot=$?
ended=0
wait "$planner" || ended=$?
[ "$shot" -eq 0 ] || { echo "the unpacked planner showed no main window" >&2; exit 1; }
# The planner ends with 1 after a normal close.
[ "$ended" -eq 1 ] || { echo "the unpacked planner ended with code $ended" >&2; exit 1; }
echo "the unpacked planner ran: $pictures/portable-main-window.png"
