#!/usr/bin/env bash
# Pictures of every window of both programs, taken on an X display (a
# virtual one is started when there is none) and written as PNGs:
#
#   scripts/screenshots.sh [BUILD_DIR] [FOLDER]
#
# BUILD_DIR defaults to build/release, FOLDER to docs/screenshots. The two
# main windows run as the real programs from a program folder with the built
# interpreter and fake tools that answer as a phone would; the companion's
# splash is taken on its way to the main window. Every other window is shown
# by itself through the test tool show_window, as its tile or button loads it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build/release}")
out=${2:-$root/docs/screenshots}

if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$out"
fi
for tool in import xdotool; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
mkdir -p "$out"
out=$(realpath "$out")

export QT_QPA_PLATFORM=xcb LANG=C.UTF-8
work=$(mktemp -d)
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Saves one X window and says so; a picture that could not be taken stops
# the script.
shot() {
    import -window "$1" "$out/$2.png"
    echo "$out/$2.png"
}

# Stops a program started in the background and forgets it.
stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    local kept=() p
    for p in "${pids[@]}"; do [[ $p == "$1" ]] || kept+=("$p"); done
    pids=("${kept[@]}")
}

# ---- every window by itself, one row of show_window a picture
show_window=$build/bin/show_window
while read -r name; do
    coproc shown { exec "$show_window" "$name"; }
    pid=$shown_PID
    pids+=("$pid")
    if ! read -r -t 30 id <&"${shown[0]}"; then
        echo "screenshots: $name did not come up" >&2
        exit 1
    fi
    shot "$id" "$name"
    stop "$pid"
done < <("$show_window" --list)

# ---- tessadrel's main window, as the real program shows it at start
folder=$work/tessadrel
mkdir -p "$folder"
cp "$build/bin/tessadrel" "$folder/"
ln -s "$build/bin/cmd" "$folder/cmd"
for tool in adb fastboot xdg-open; do
    printf '#!/bin/sh\nexit 0\n' >"$folder/$tool"
    chmod +x "$folder/$tool"
done
# The start-up console runs in place, without a window of its own.
cat >"$folder/terminal" <<'EOF'
#!/bin/sh
while [ "$#" -gt 0 ] && [ "$1" != "-e" ]; do shift; done
[ "$#" -gt 0 ] && shift
exec "$@" </dev/null >/dev/null 2>&1
EOF
chmod +x "$folder/terminal"
(cd "$folder" && PATH=$folder:$PATH TERMINAL=$folder/terminal exec ./tessadrel) &
pid=$!
pids+=("$pid")
id=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name "第六代" | head -n1)
sleep 1  # the tiles' pictures paint after the window maps
shot "$id" tessadrel-main
stop "$pid"

# ---- pellork's splash and main window, with a fake phone
"$root/tests/e2e/pellork_start.sh" "$build/bin/pellork" "$build/bin/cmd" "$work" >/dev/null
mv "$work/pellork-start.png" "$out/pellork-start.png" && echo "$out/pellork-start.png"
mv "$work/pellork-main.png" "$out/pellork-main.png" && echo "$out/pellork-main.png"
