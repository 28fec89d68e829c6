# Sourced by the test scripts: starts what the tests need in a scratch folder
# of its own, and stops it all when the sourcing script exits. A virtual
# display when there is none, a window manager, a PulseAudio server with a
# null sink (exported as SNOMEL_TEST_SINK) whose monitor is read all the time.
# Leaves the scratch folder in $work.

work=$(mktemp -d /tmp/snomel-test.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "${PULSE_STARTED:-}" ] && pulseaudio --kill 2>/dev/null || true
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

# A sound server of our own with a null sink. Its monitor is read all the
# time: the null sink then renders in small blocks and sound ends on time.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export SNOMEL_TEST_SINK=snomel_test
pulseaudio -D -n --exit-idle-time=-1 --disallow-exit --log-target=file:"$work/pulse.log" \
    --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=$SNOMEL_TEST_SINK rate=44100" \
    --load=module-always-sink
PULSE_STARTED=1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink "$SNOMEL_TEST_SINK"
parec -d "$SNOMEL_TEST_SINK.monitor" --latency-msec=10 >/dev/null &
pids+=($!)
sleep 2
