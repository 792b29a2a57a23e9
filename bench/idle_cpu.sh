#!/bin/sh
# CPU time the editor spends on its own while it shows a static scene: it is
# started under a virtual display, left to settle, and its user and system
# time from /proc/<pid>/stat are read before and after a quiet interval.
#
#   bench/idle_cpu.sh [path/to/velmora]      (default: build/bin/velmora)
#   SETTLE=5 SECONDS_MEASURED=10 bench/idle_cpu.sh
#   VIEW=full bench/idle_cpu.sh    (the same in the full view, entered with
#                                   F11 through xdotool)
#
# Prints the share of one core used during the interval; the target is below 2%.
set -eu

program=${1:-build/bin/velmora}
settle=${SETTLE:-5}
measured=${SECONDS_MEASURED:-10}

if [ -z "${IDLE_CPU_INSIDE:-}" ]; then
    IDLE_CPU_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program"
fi

# Fields 14 and 15 of the stat line, counted after the command name, which may
# itself contain spaces and parentheses.
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

"$program" -nosplash &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

sleep "$settle"
if [ "${VIEW:-window}" = full ]; then
    xdotool search --sync --name '^Velmora' windowactivate --sync key F11 2>/dev/null ||
        xdotool key F11
    sleep "$settle"
    if ! xdotool search --onlyvisible --name 'full view' >/dev/null; then
        echo "idle_cpu: the full view did not open" >&2
        exit 1
    fi
fi
if ! kill -0 "$pid" 2>/dev/null; then
    echo "idle_cpu: $program ended during start-up" >&2
    exit 1
fi
before=$(cpu_ticks "$pid")
sleep "$measured"
after=$(cpu_ticks "$pid")
hz=$(getconf CLK_TCK)

awk -v t="$((after - before))" -v hz="$hz" -v s="$measured" 'BEGIN {
    printf "idle CPU: %.2f%% of one core (%d ticks of 1/%d s in %d s)\n", 100 * t / hz / s, t, hz, s
}'
