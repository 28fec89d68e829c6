# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the test scripts: starts what the tests need in a scratch folder
# of its own, and stops it all when the sourcing script exits. A virtual
# display when there is none, a window manager, a sound server with a null
# sink (exported as SNOMEL_TEST_SINK) whose monitor is read all the time.
# Leaves the scratch folder in $work.

work=$(mktemp -d /tmp/snomel-test.XXXXXX)
pids=()
soundserver=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/soundserver
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$soundserver" stop 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A virtual display of our own, so tests never touch the user's desktop.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# A sound server of our own with a null sink (scripts/soundserver), which
# tests may stop and start again: PulseAudio unless SNOMEL_SOUND_SERVER
# names another. use_sound_server replaces it with another kind.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export SNOMEL_TEST_SINK=snomel_test
# What the monitor's readers ask of the server (scripts/soundserver says why).
export SNOMEL_TEST_MONITOR_LATENCY_MS=${SNOMEL_TEST_MONITOR_LATENCY_MS:-25}
export SNOMEL_SOUND_SERVER=${SNOMEL_SOUND_SERVER:-pulseaudio}
"$soundserver" start
use_sound_server() {
    "$soundserver" stop
    export SNOMEL_SOUND_SERVER=$1
    "$soundserver" start
}
