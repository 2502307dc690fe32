#!/bin/sh
# Check a PPD file with cupstestppd.
#
# Usage: check_ppd.sh PATH.ppd
#
# cupstestppd answers PASS even when it prints warnings, so its verdict alone
# is not enough: the PPD fails when cupstestppd exits non-zero, reports FAIL,
# or prints any line containing WARN. The full output is printed either way.
# Exit status: 0 clean, 1 faults found, 2 bad usage, 77 cupstestppd missing.

if [ $# -ne 1 ]; then
    echo "usage: $0 PATH.ppd" >&2
    exit 2
fi
ppd=$1

if [ ! -f "$ppd" ]; then
    echo "check_ppd: no such file: $ppd" >&2
    exit 1
fi

if ! command -v cupstestppd >/dev/null 2>&1; then
    echo "check_ppd: cupstestppd is not installed (package cups-client)" >&2
    exit 77
fi

output=$(cupstestppd -v "$ppd" 2>&1)
status=$?
printf '%s\n' "$output"

result=0
if [ "$status" -ne 0 ]; then
    echo "check_ppd: cupstestppd exited with status $status" >&2
    result=1
fi
if printf '%s\n' "$output" | grep -q 'FAIL'; then
    echo "check_ppd: cupstestppd reports FAIL" >&2
    result=1
fi
if printf '%s\n' "$output" | grep -q 'WARN'; then
    echo "check_ppd: cupstestppd prints warnings:" >&2
    printf '%s\n' "$output" | grep 'WARN' >&2
    result=1
fi
exit $result
