#!/usr/bin/env bash
# Start-up as a user meets it: from starting the program to its main window mapped on a real X
# server (Xvfb, not the offscreen platform), with no database, 10 000 and 100 000 records.
# Each case runs once to warm the disk and font caches, then RUNS times; the median is printed.
#
#   bench/startup_to_map.sh [BUILD_DIR]
#
# RUNS=15 asks for more runs; XVFB_DISPLAY=:17 starts Xvfb on that display instead of a free one.
set -euo pipefail

build=${1:-build}
runs=${RUNS:-11}
program=$build/app/sublumo
watcher=$build/bench/app/startup_to_map
for needed in "$program" "$watcher"; do
  if [ ! -x "$needed" ]; then
    echo "startup_to_map: $needed is not built" >&2
    exit 1
  fi
done
if ! command -v Xvfb >/dev/null; then
  echo "startup_to_map: Xvfb is not installed; skipped" >&2
  exit 0
fi

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, where Xvfb picks a free number unless told one. Without -noreset the
# server resets whenever the last program leaves, and the next one cannot connect meanwhile.
xvfb_options=(-screen 0 1280x1024x24 -nolisten tcp -noreset)
if [ -n "${XVFB_DISPLAY:-}" ]; then
  Xvfb "$XVFB_DISPLAY" "${xvfb_options[@]}" 2>/dev/null &
  echo "${XVFB_DISPLAY#:}" >"$work/display"
else
  Xvfb -displayfd 3 "${xvfb_options[@]}" 3>"$work/display" 2>/dev/null &
fi
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
export DISPLAY=:$(cat "$work/display")
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# `count` plausible drivers, in the form the program writes: Dd 60-459 mm, fs 20-99 Hz.
write_database() {
  awk -v count="$1" 'BEGIN {
    ORS = "\r\n"
    for (i = 0; i < count; i++) {
      print "[Maker " (i % 97) " Woofer " i "]"
      print "Qms=" (2 + i % 7) ".5"; print "Qes=0.3" (i % 10); print "fs=" (20 + i % 80)
      print "Mms=" (10 + i % 150); print "Dd=" (60 + i % 400); print "Re=5.6"
      print "Hc="; print "Hg="; print "Pe="; print "Le="; print "URL=https://"; print ""
    }
  }' >"$2"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The program keeps its files beside itself when that directory can be written: each case gets
# a copy of it in a directory of its own. The watcher ends the program, so nothing is written.
measure() {
  local label=$1 count=$2 dir=$work/case$2 times=()
  mkdir -p "$dir"
  cp "$program" "$dir/sublumo"
  if [ "$count" -gt 0 ]; then write_database "$count" "$dir/sublumo_tsp.ini"; fi
  "$watcher" "$dir/sublumo" >/dev/null 2>&1 || true
  for _ in $(seq "$runs"); do
    rm -f "$dir/sublumo_cfg.ini"
    times+=("$("$watcher" "$dir/sublumo" 2>/dev/null)")
  done
  printf '%-16s median %7.1f ms   runs: %s\n' "$label" \
    "$(printf '%s\n' "${times[@]}" | median)" "${times[*]}"
}

echo "Start-up to the main window mapped (Xvfb $DISPLAY, $runs runs each):"
measure "no database" 0
measure "10 000 records" 10000
measure "100 000 records" 100000
