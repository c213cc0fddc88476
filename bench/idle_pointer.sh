#!/usr/bin/env bash
# What a pointer resting on a push button costs: CPU time of tessadrel and of
# the X server over a few seconds with the pointer still on N_Shapeegg (its
# 1 ms leave poll running), and with the pointer elsewhere for comparison.
# Needs Xvfb and xdotool; uses the release build (scripts/run.sh or
# bench/run.sh builds it). With a number of runs, both are measured that many
# times, one after the other.
#   bench/idle_pointer.sh [seconds [runs]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
runs=${2:-1}
bin=build/release/bin
display=:$((90 + RANDOM % 100))
hz=$(getconf CLK_TCK)

Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
unset QT_QPA_PLATFORM
cleanup() { kill "${app:-}" "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# The start-up console goes to a terminal that does nothing.
(cd "$bin" && TERMINAL=true exec ${BENCH_WRAP:-} ./tessadrel) >/dev/null 2>&1 &
app=$!
for _ in $(seq 100); do
    window=$(xdotool search --name Morvane 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
eval "$(xdotool getwindowgeometry --shell "$window")"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
measure() {
    local a0 x0 a1 x1
    sleep 1
    a0=$(ticks "$app"); x0=$(ticks "$xvfb")
    sleep "$seconds"
    a1=$(ticks "$app"); x1=$(ticks "$xvfb")
    awk -v a=$((a1 - a0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" -v what="$1" 'BEGIN {
        printf "%-28s program %5.2f %%  X server %5.2f %%  together %5.2f %% of a core\n",
               what, 100 * a / hz / s, 100 * x / hz / s, 100 * (a + x) / hz / s }'
}

# N_Shapeegg: 9180, 4230 twips (612, 282 px), 14 x 12 px.
for _ in $(seq "$runs"); do
    xdotool mousemove $((X + 600)) $((Y + 288)) mousemove $((X + 619)) $((Y + 288))
    measure "pointer resting on the button"
    xdotool mousemove $((X + 300)) $((Y + 290))
    measure "pointer elsewhere"
done
