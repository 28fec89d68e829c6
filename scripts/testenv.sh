# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
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

# A virtual display of our own, so tests never touch the user's desktop. The
# server picks a free display number and writes it once it accepts clients,
# so that runs side by side on one machine never share a display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
if [ ! -s "$work/display" ]; then
    echo "testenv: the virtual display did not start within 5 s:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
display=:$(tr -d '[:space:]' <"$work/display")
export DISPLAY=$display
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# No session bus unless the caller has one (a desktop's, or dbus-run-session's
# for the accessibility tests and the start-up figures). With none named,
# every Qt program would ask libdbus to autolaunch one: a child forked from a
# program whose threads are running, which under AddressSanitizer can hang on
# an allocator lock another thread held at the fork, and the program with it.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=$work/no-session-bus}

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
