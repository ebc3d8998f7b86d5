#!/usr/bin/env bash
# Dravemo - a desktop screen-capture tool.
# SPDX-License-Identifier: MIT
#
# Full screen to PNG: Dravemo's capture against `scrot -o`, side by side in one run, on a
# private virtual display showing a photo-like and a desktop-like picture at 1920x1080 and
# 3840x2160. Dravemo is timed through its command socket, whose answer comes after the file
# is written. Prints both medians of 7 captures and their ratio; no thresholds.
#
#   bench/png_vs_scrot.sh              Release build in build-rel (configured and built here)
#   DRAVEMO_BUILD=dir bench/...        another build folder holding dravemo and dravemo_send
#   BENCH_CPUS=0 bench/...             both programs pinned to these CPUs (taskset -c)
#   BENCH_SIZES="1920x1080" bench/...  other screen sizes
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
source "$DRAVEMO_ROOT/scripts/lib/display.sh"

ensure_packages scrot imagemagick xvfb openbox x11-utils x11-xserver-utils util-linux
BUILD=${DRAVEMO_BUILD:-$DRAVEMO_ROOT/build-rel}
if [ -z "${DRAVEMO_BUILD:-}" ]; then
  if [ ! -f "$BUILD/build.ninja" ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    cmake -S "$DRAVEMO_ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  fi
  cmake --build "$BUILD" --target dravemo dravemo_send >/dev/null
fi
DRAVEMO=$BUILD/app/dravemo
[ -x "$DRAVEMO" ] || DRAVEMO=$(find "$BUILD" -name dravemo -type f -perm -u+x | head -n1)
SEND=$(find "$BUILD" -name dravemo_send -type f -perm -u+x | head -n1)
PIN=()
[ -n "${BENCH_CPUS:-}" ] && PIN=(taskset -c "$BENCH_CPUS")
ROUNDS=7

WORK=$(mktemp -d)
DRAVEMO_PID=
cleanup() {
  [ -n "$DRAVEMO_PID" ] && kill "$DRAVEMO_PID" 2>/dev/null
  stop_virtual_display
  rm -rf "$WORK"
}
trap cleanup EXIT

now_ms() { echo $(( $(date +%s%N) / 1000 )); }
# The median of the numbers on standard input (microseconds), printed in milliseconds.
median_ms() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'; }

# A photo-like picture: a fractal plasma with fine grain.
make_photo() {
  convert -size "$1" -seed 7 plasma:fractal -attenuate 0.3 +noise Gaussian "$2"
}

# A desktop-like picture: flat background, windows with title bars and lines of text.
make_desktop() {
  local w=${1%x*} h=${1#*x} draw=() y wx wy ww wh
  for ((wy = 40; wy + 300 < h; wy += 420)); do
    for ((wx = 30; wx + 500 < w; wx += 640)); do
      ww=600 wh=380
      draw+=(-fill '#f4f4f4' -draw "rectangle $wx,$wy $((wx + ww)),$((wy + wh))")
      draw+=(-fill '#3a5f8f' -draw "rectangle $wx,$wy $((wx + ww)),$((wy + 26))")
      draw+=(-fill '#ffffff' -draw "text $((wx + 10)),$((wy + 18)) 'Document $wx-$wy - Editor'")
      draw+=(-fill '#202020')
      for ((y = wy + 50; y < wy + wh - 10; y += 18)); do
        draw+=(-draw "text $((wx + 12)),$y 'The quick brown fox $y jumps over the lazy dog; 0123456789 ($wx)'")
      done
    done
  done
  convert -size "$1" xc:'#2d4a6b' -pointsize 13 "${draw[@]}" "$2"
}

printf '%-10s %-8s %12s %12s %8s\n' size picture dravemo_ms scrot_ms ratio
for size in ${BENCH_SIZES:-1920x1080 3840x2160}; do
  start_virtual_display "${size}x24"
  home=$WORK/home-$size runtime=$WORK/run-$size
  mkdir -p "$home/Desktop" "$home/.config/dravemo" "$runtime"
  chmod 700 "$runtime"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvantel\\Dravemo]\r\n"area"=dword:00000000\r\n"saveto"=dword:00000000\r\n"mouse"=dword:00000000\r\n\r\n' \
    >"$home/.config/dravemo/registry.reg"
  HOME=$home XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb LANG=en_US.UTF-8 \
    "${PIN[@]}" "$DRAVEMO" /start >"$WORK/dravemo.log" 2>&1 &
  DRAVEMO_PID=$!
  for _ in $(seq 1 100); do
    "$SEND" "$runtime/dravemo" 0x0001 0 >/dev/null 2>&1 && break
    sleep 0.1
  done
  for picture in photo desktop; do
    "make_$picture" "$size" "$WORK/$picture.png"
    # display exits with 1 here although the root window shows the picture.
    display -window root "$WORK/$picture.png" || true
    : >"$WORK/dravemo.times"
    : >"$WORK/scrot.times"
    # One unmeasured round each, then alternate so that both see the same machine.
    for round in $(seq 0 $ROUNDS); do
      start=$(now_ms)
      answer=$("$SEND" "$runtime/dravemo" 0x004A 1 '{"command":"capture"}')
      end=$(now_ms)
      [ "$answer" = 1 ] || { echo "dravemo answered '$answer'" >&2; exit 1; }
      [ -n "$(ls "$home/Desktop")" ] || { echo "dravemo wrote no file" >&2; exit 1; }
      [ "$round" -gt 0 ] && echo $((end - start)) >>"$WORK/dravemo.times"
      rm -f "$home/Desktop"/*
      start=$(now_ms)
      "${PIN[@]}" scrot -o "$WORK/scrot.png"
      end=$(now_ms)
      [ "$round" -gt 0 ] && echo $((end - start)) >>"$WORK/scrot.times"
      rm -f "$WORK/scrot.png"
    done
    ours=$(median_ms <"$WORK/dravemo.times")
    theirs=$(median_ms <"$WORK/scrot.times")
    printf '%-10s %-8s %12s %12s %8s\n' "$size" "$picture" "$ours" "$theirs" \
      "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
  done
  kill "$DRAVEMO_PID" 2>/dev/null
  wait "$DRAVEMO_PID" 2>/dev/null || true
  DRAVEMO_PID=
  stop_virtual_display
done
