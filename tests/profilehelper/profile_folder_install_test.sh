#!/bin/sh
# The install lays down a tmpfiles.d entry that creates the profile folder
# owned by root with mode 0755 (users change their lists only through the
# service), and the service creates it so when it starts without one.
#   profile_folder_install_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d /tmp/tlq_install.XXXXXX)
trap 'rm -rf "$work"' EXIT
folder="Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1"

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/dest" cmake --install "$build" --prefix /usr/local >/dev/null
entry="$work/dest/usr/local/lib/tmpfiles.d/tlq770-1.conf"
[ -f "$entry" ] || fail "no tmpfiles.d entry at $entry"
grep -q "^d \"/$folder\" 0755 root root -\$" "$entry" || fail "unexpected entry: $(cat "$entry")"

# Applied to an empty root, with a file-creation mask that would let
# everybody write, the entry still makes a folder only root may write.
mkdir -p "$work/root/usr/lib/tmpfiles.d"
cp "$entry" "$work/root/usr/lib/tmpfiles.d/"
(umask 000 && systemd-tmpfiles --create --root="$work/root" "$work/root/usr/lib/tmpfiles.d/tlq770-1.conf")
[ "$(stat -c '%a %U %G' "$work/root/$folder")" = "755 root root" ] ||
  fail "tmpfiles made $(stat -c '%a %U %G' "$work/root/$folder")"

# The service makes the folder itself when it is missing.
(umask 000 && TLQ770_ROOT="$work/service" exec timeout 10 "$build/bin/profilehelper" --socket "$work/service.sock") &
service=$!
for _ in $(seq 100); do [ -S "$work/service.sock" ] && break; sleep 0.05; done
kill "$service" 2>/dev/null || true
wait "$service" 2>/dev/null || true
[ "$(stat -c '%a %U' "$work/service/$folder" 2>/dev/null)" = "755 root" ] ||
  fail "service made $(stat -c '%a %U' "$work/service/$folder" 2>/dev/null)"
echo PASS
