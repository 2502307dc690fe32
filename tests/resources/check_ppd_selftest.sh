#!/bin/sh
# Make sure check_ppd.sh rejects what cupstestppd only warns about.
#
# Usage: check_ppd_selftest.sh MAIN.ppd NOT_A_PPD.ppd
#
# cupstestppd exits 0 and says PASS for a PPD whose only faults are warnings;
# check_ppd.sh must still fail on it, fail on a file that is no PPD at all,
# and pass the clean main PPD.

if [ $# -ne 2 ]; then
    echo "usage: $0 MAIN.ppd NOT_A_PPD.ppd" >&2
    exit 2
fi
main=$1
broken=$2
check="$(dirname "$0")/check_ppd.sh"

command -v cupstestppd >/dev/null 2>&1 || exit 77

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

failures=0
expect() {  # expect WANTED_STATUS PPD DESCRIPTION
    sh "$check" "$2" >"$work/out" 2>&1
    got=$?
    if [ "$1" = pass ] && [ "$got" -ne 0 ]; then
        echo "FAILED: $3: check_ppd.sh exited $got, expected 0"
        cat "$work/out"
        failures=$((failures + 1))
    elif [ "$1" = fail ] && [ "$got" -ne 1 ]; then
        echo "FAILED: $3: check_ppd.sh exited $got, expected 1"
        cat "$work/out"
        failures=$((failures + 1))
    fi
}

expect pass "$main" "clean PPD"
expect fail "$broken" "file that is not a PPD"

# A4 with a width off its standard size: cupstestppd warns but says PASS.
sed -e 's|\[595 842\]|[600 842]|g' \
    -e 's|^\*PaperDimension A4/A4: "595 842"|*PaperDimension A4/A4: "600 842"|' \
    -e 's|^\*ImageableArea A4/A4: "12 12 583 830"|*ImageableArea A4/A4: "12 12 588 830"|' \
    "$main" >"$work/warn_only.ppd"
if cmp -s "$main" "$work/warn_only.ppd"; then
    echo "FAILED: could not derive a warning-only PPD from $main"
    failures=$((failures + 1))
else
    expect fail "$work/warn_only.ppd" "PPD with warnings only"
    grep -q WARN "$work/out" || {
        echo "FAILED: the warning-only PPD printed no WARN line"
        failures=$((failures + 1))
    }
fi

missing="$work/no_such_file.ppd"
expect fail "$missing" "missing file"

[ "$failures" -eq 0 ]
