#!/usr/bin/env bash
# Proves the kiosk session on a machine without a display: cage on its headless backend runs
# the client in a copy of the sample exam folder, as the session's olvane-kiosk does; the check
# waits until the client has shown its login window, takes a screenshot when grim is there, and
# ends everything it started by process id.
#   kiosk-check.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: kiosk-check.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
client=$build/client/Olvane
[ -x "$client" ] || { echo "kiosk-check: no client at $client" >&2; exit 1; }
command -v cage > /dev/null || { echo "kiosk-check: cage is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
cage_pid=
finish() {
    if [ -n "$cage_pid" ] && kill -0 "$cage_pid" 2> /dev/null; then
        kill "$cage_pid" 2> /dev/null || true
        wait "$cage_pid" 2> /dev/null || true
    fi
    rm -rf "$scratch"
}
trap finish EXIT

# A fresh runtime folder, exam folder and home (so no earlier workspace resumes an exam).
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
exam=$scratch/exam
mkdir -p "$exam" "$scratch/home"
for file in WordE97.kst cj.kcj olvane.dat; do
    cp "$here/resources/sample/$file" "$exam/"
done
log=$scratch/client.log

# cage refuses to run as root, as a session never does: under root the check runs it as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env)
    chown -R nobody:nogroup "$scratch"
    chmod 755 "$scratch"
fi

# The client's Wayland log: the login dialog names its window "Olvane" and then shows its
# first frame. The client runs in the exam folder, as olvane-launch starts it there.
(
    cd "$exam"
    unset DISPLAY WAYLAND_DISPLAY
    exec "${as_user[@]}" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" HOME="$scratch/home" WLR_BACKENDS=headless \
        WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
        cage -- "$client" > "$scratch/cage.log" 2> "$log"
) &
cage_pid=$!

shown=0
for _ in $(seq 1 300); do
    if grep -q 'xdg_toplevel@[0-9]*\.set_title("Olvane")' "$log" 2> /dev/null \
        && grep -A1000000 'set_title("Olvane")' "$log" | grep -q 'wl_surface@[0-9]*\.commit()'; then
        shown=1
        break
    fi
    kill -0 "$cage_pid" 2> /dev/null || break
    sleep 0.1
done
if [ "$shown" -ne 1 ]; then
    echo "kiosk-check: the client's login window did not appear under cage" >&2
    grep -v '^\[' "$log" | tail -n 20 >&2 || true
    tail -n 20 "$scratch/cage.log" >&2 || true
    exit 1
fi

if command -v grim > /dev/null; then
    display=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -printf '%f\n' | head -n 1)
    sleep 0.5 # the first frame is committed; give cage one redraw
    mkdir -p "$build/screenshots"
    "${as_user[@]}" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
        WAYLAND_DISPLAY="$display" grim - > "$scratch/kiosk-login.png"
    cp "$scratch/kiosk-login.png" "$build/screenshots/kiosk-login.png"
    echo "kiosk-check: screenshot $build/screenshots/kiosk-login.png"
fi
kill -0 "$cage_pid" 2> /dev/null || { echo "kiosk-check: cage ended with the client still expected" >&2; exit 1; }
echo "kiosk-check passed: the client's login window runs alone under cage"
