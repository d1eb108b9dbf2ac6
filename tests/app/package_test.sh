#!/usr/bin/env bash
# The Debian package: built by CPack, its dependencies the packages we link to, its desktop entry
# and AppStream description valid, and the program from it, unpacked into a scratch root, starts
# and ends in order.  Usage: package_test.sh BUILD_FOLDER   (inside the headless bench)
set -uo pipefail
build=$1
failures=0 passed=0
check() {  # check NAME COMMAND...
  if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; passed=$((passed + 1)); else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
scratch=$(mktemp -d /tmp/tazmel-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1)
deb=$(ls "$scratch"/out/*.deb 2>/dev/null | head -n1)
check "CPack builds a Debian package" test -f "$deb"
depends=$(dpkg-deb -f "$deb" Depends 2>/dev/null)
echo "Depends: $depends"
check "it depends on libmpg123" grep -q libmpg123 <<<"$depends"
check "it depends on libpulse" grep -q libpulse <<<"$depends"
check "it depends on Qt 6 Widgets" grep -q libqt6widgets6 <<<"$depends"
check "it depends on Qt 6 D-Bus" grep -q libqt6dbus6 <<<"$depends"
dpkg-deb -x "$deb" "$scratch/root"
check "the program is in /usr/bin" test -x "$scratch/root/usr/bin/tazmel-mp3"
check "the desktop entry is valid" desktop-file-validate "$scratch/root/usr/share/applications/tazmel-mp3.desktop"
check "the AppStream description is valid" appstreamcli validate --no-net \
  "$scratch/root/usr/share/metainfo/tazmel-mp3.metainfo.xml"
for n in 16 32 48 64 128; do
  check "the ${n}px icon is there" test -f "$scratch/root/usr/share/icons/hicolor/${n}x${n}/apps/tazmel-mp3.png"
done
"$scratch/root/usr/bin/tazmel-mp3" &
pid=$!
check "the unpacked program shows its window" timeout 10 xdotool search --sync --onlyvisible --name "欢迎使用Tazmelmp3播放器！"
win=$(xdotool search --onlyvisible --name "欢迎使用Tazmelmp3播放器！" | head -n1)
xdotool windowactivate --sync "$win" key Escape >/dev/null 2>&1
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
wait "$pid"
code=$?
check "and ends in order with exit code 0" test "$code" = 0
echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
