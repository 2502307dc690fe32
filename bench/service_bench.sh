#!/bin/sh
# Figures of the profile helper service, measured on a built tree (Release
# or RelWithDebInfo; this script builds nothing):
#  - median time of one relay request (spawn, socket round trip, reply),
#    next to starting /bin/true;
#  - a walk of a 500-row profile table through the service, next to
#    `snmpwalk -v1` over the same table against the same agent (net-snmp's
#    snmpd serving static override lines), measured in one run.
# Usage: bench/service_bench.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
relay="$build/bin/TLQ770-1Helper"
service="$build/bin/profilehelper"
for p in "$relay" "$service"; do
  [ -x "$p" ] || { echo "service_bench: $p is not built" >&2; exit 1; }
done

work=$(mktemp -d /tmp/service_bench.XXXXXX)
chmod 755 "$work"
pids=""
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

now_ns() { date +%s%N; }
# Median of the numbers on standard input.
median() { sort -n | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
free_port() { python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

root="$work/root"
folder="$root/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1"
mkdir -p "$folder" "$work/conf"
port=$(free_port)
printf 'defaultPort %s\nmibs :\ntimeout 1\nretries 0\n' "$port" > "$work/conf/snmp.conf"
export TLQ770_ROOT="$root" SNMPCONFPATH="$work/conf" TLQ770_HELPER_SOCKET="$work/helper.sock"

"$service" --socket "$TLQ770_HELPER_SOCKET" >/dev/null 2>&1 &
pids="$pids $!"
i=0
until "$relay" znPListExistProfile_XPC "$folder/x" >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -lt 200 ] || { echo "service_bench: service did not start" >&2; exit 1; }
  sleep 0.02
done

# One relay request next to starting /bin/true, taken in turns.
runs=30
: > "$work/relay.us"
: > "$work/true.us"
for _ in $(seq $runs); do
  t0=$(now_ns)
  /bin/true
  t1=$(now_ns)
  "$relay" znPListIsAdminProfile_XPC "$folder/bench-TLQ770-1-profile.plist" >/dev/null
  t2=$(now_ns)
  echo $(( (t1 - t0) / 1000 )) >> "$work/true.us"
  echo $(( (t2 - t1) / 1000 )) >> "$work/relay.us"
done
relay_us=$(median < "$work/relay.us")
true_us=$(median < "$work/true.us")
echo "relay request znPListIsAdminProfile_XPC: median $relay_us us; /bin/true: median $true_us us" \
  "(medians of $runs, in turns; ratio $(awk -v a="$relay_us" -v b="$true_us" 'BEGIN {printf "%.2f", a / b}'))"

# The pane's list operations: the relay program where the pane looks for it.
helper="$root/Library/Application Support/GENERIC/TLQ770-1/Helpers/TLQ770-1Helper.app/Contents/MacOS/TLQ770-1Helper"
mkdir -p "$(dirname "$helper")"
ln -sf "$(cd "$(dirname "$relay")" && pwd)/$(basename "$relay")" "$helper"
if [ -x "$build/bench/bench_relay_write" ]; then
  "$build/bench/bench_relay_write" 2>/dev/null | grep -E '^BM_'
fi

# A 500-row table served by snmpd from override lines.
table=1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1
{
  printf 'agentAddress udp:127.0.0.1:%s\n' "$port"
  printf 'rocommunity public 127.0.0.1 .%s\n' "$table"
  printf 'dontLogTCPWrappersConnects yes\n'
  for row in $(seq 500); do
    printf 'override .%s.1.1.%d integer %d\n' "$table" "$row" "$row"
    printf 'override .%s.2.1.%d integer %d\n' "$table" "$row" $((4 + row % 2))
    printf 'override .%s.3.1.%d octet_str "Profile %d"\n' "$table" "$row" "$row"
    printf 'override .%s.4.1.%d octet_str "P%03d.ICC"\n' "$table" "$row" "$row"
    printf 'override .%s.5.1.%d integer %d\n' "$table" "$row" $((1 + row % 3))
    printf 'override .%s.6.1.%d integer 0\n' "$table" "$row"
    printf 'override .%s.7.1.%d integer 1\n' "$table" "$row"
  done
} > "$work/snmpd.conf"
mkdir -p "$work/persist" "$work/nomibs"
chown nobody:nogroup "$work/persist" 2>/dev/null || true
SNMP_PERSISTENT_DIR="$work/persist" MIBS= MIBDIRS="$work/nomibs" \
  /usr/sbin/snmpd -f -Lo -C -c "$work/snmpd.conf" -u nobody -g nogroup -I -smux >/dev/null 2>&1 &
pids="$pids $!"
i=0
until snmpget -v1 -c public -r0 -t0.05 "127.0.0.1" ".$table.1.1.1" >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -lt 200 ] || { echo "service_bench: snmpd did not start" >&2; exit 1; }
  sleep 0.05
done

walks=5
: > "$work/snmpwalk.ms"
: > "$work/service.ms"
for _ in $(seq $walks); do
  t0=$(now_ns)
  snmpwalk -v1 -c public -Os 127.0.0.1 "$table" > "$work/snmpwalk.out"
  t1=$(now_ns)
  "$relay" mibwalk_XPC TLQ770-1 bench snmpwalk -Os -c public -v 1 127.0.0.1 "$table" > "$work/walk.out"
  t2=$(now_ns)
  echo $(( (t1 - t0) / 1000000 )) >> "$work/snmpwalk.ms"
  echo $(( (t2 - t1) / 1000000 )) >> "$work/service.ms"
done
grep -q '^mibwalk_XPC=iRet=0$' "$work/walk.out" || { echo "service_bench: walk failed: $(cat "$work/walk.out")" >&2; exit 1; }
echo "walk of 500 rows ($(grep -c " = " "$work/snmpwalk.out") variables), median of $walks:" \
  "through the service $(median < "$work/service.ms") ms, snmpwalk -v1 $(median < "$work/snmpwalk.ms") ms"
