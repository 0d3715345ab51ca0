#!/usr/bin/env bash
# Times the desktop program from process start to the month painted, N runs.
# Usage: bench/startup_time.sh PATH/TO/varnel [runs]   (offscreen unless a display is set)
set -eu
varnel="$1"
runs="${2:-20}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export VARNEL_REPORT_STARTUP=1
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"  # the user's settings stay untouched
times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  painted=$("$varnel" 2>&1 >/dev/null | sed -n 's/^month painted at \([0-9.]*\) ms$/\1/p')
  times+=("$(python3 -c "print(f'{$painted - $start / 1e6:.1f}')")")
done
printf '%s\n' "${times[@]}" | sort -n | python3 -c '
import sys
t = [float(x) for x in sys.stdin]
print(f"process start to month painted over {len(t)} runs: median {t[len(t)//2]:.1f} ms, min {t[0]:.1f} ms, max {t[-1]:.1f} ms")'
