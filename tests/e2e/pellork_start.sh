#!/usr/bin/env bash
# End to end on an X display: the built pellork starts the built cmd, which
# runs a fake adb; its answers land in the device files, the splash reads them
# back and hands over to the main window. Checked: the main window's caption,
# what adb was asked, and (where an accessibility bus can be started) the two
# display labels. With a third argument the two windows are saved there as
# pellork-start.png and pellork-main.png.
#
#   pellork_start.sh PELLORK CMD [SCREENSHOT_FOLDER]
#
# Exit code 77 (skipped) without a display or the X tools.
set -euo pipefail

pellork=$(realpath "$1")
cmd=$(realpath "$2")
shots=${3:+$(realpath "$3")}

# The labels are read through the accessibility bus, which needs a session
# bus of its own.
launcher=""
for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [[ -x $l ]] && launcher=$l && break
done
if [[ -n $launcher && -z ${PELLORK_E2E_BUS:-} ]] && command -v dbus-run-session >/dev/null &&
    command -v gdbus >/dev/null; then
    export PELLORK_E2E_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

if [[ -z ${DISPLAY:-} ]] || ! command -v xwininfo >/dev/null; then
    echo "skipped: no X display or no xwininfo"
    exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# The program folder: the program, the interpreter beside it and a fake adb
# that logs what it is asked and answers as a phone would.
cp "$pellork" "$work/pellork"
ln -s "$cmd" "$work/cmd"
cat >"$work/adb" <<'EOF'
#!/bin/sh
echo "$*" >>"$(dirname "$0")/adb.log"
case "$*" in
    "shell getprop ro.product.model") echo TestPhone ;;
    "shell getprop ro.product.manufacturer") echo Xiaomi ;;
    "shell wm density") echo "Physical density: 440" ;;
    "shell wm size") echo "Physical size: 1080x2340" ;;
esac
EOF
# A terminal that runs what follows -e in place, without a window.
cat >"$work/terminal" <<'EOF'
#!/bin/sh
while [ "$#" -gt 0 ] && [ "$1" != "-e" ]; do shift; done
[ "$#" -gt 0 ] && shift
exec "$@"
EOF
chmod +x "$work/adb" "$work/terminal"

# A real window on the display, whatever the other tests run on.
export QT_QPA_PLATFORM=xcb
export TESSADREL_DRIVES=$work/drives
export TERMINAL=$work/terminal
export PATH=$work:$PATH

bus=""
if [[ -n ${PELLORK_E2E_BUS:-} ]]; then
    "$launcher" --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    for _ in $(seq 50); do
        bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
            --method org.a11y.Bus.GetAddress 2>/dev/null | sed -n "s/^('\(.*\)',)$/\1/p") || true
        [[ -n $bus ]] && break
        sleep 0.1
    done
fi

(cd "$work" && exec ./pellork) >"$work/pellork.log" 2>&1 &
pids+=($!)

# The id of the top-level window with this title and, optionally, size.
window() {
    xwininfo -root -tree | grep -F "\"$1\": (\"pellork\"" | grep -F "${2:-}" | awk '{print $1}' |
        head -n1
}
wait_for_window() {
    local id=""
    for _ in $(seq 300); do
        id=$(window "$@")
        [[ -n $id ]] && echo "$id" && return 0
        sleep 0.1
    done
    echo "no window \"$1\" $2 within 30 s" >&2
    cat "$work/pellork.log" >&2
    return 1
}

fail=0
start=$(wait_for_window "ADB" "533x267+")
[[ -n $shots ]] && import -window "$start" "$shots/pellork-start.png"

caption="Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已连接小米设备: TestPhone】"
main=$(wait_for_window "$caption" "653x534+")
echo "main window: $caption"
sleep 0.5 # let it paint before it is saved
[[ -n $shots ]] && import -window "$main" "$shots/pellork-main.png"

# The server start comes first; the four queries run side by side.
expected_queries=$'shell getprop ro.product.manufacturer\nshell getprop ro.product.model\nshell wm density\nshell wm size'
if [[ $(head -n1 "$work/adb.log") != "start-server" ||
    $(tail -n +2 "$work/adb.log" | sort) != "$expected_queries" ]]; then
    echo "adb was asked:" >&2
    cat "$work/adb.log" >&2
    fail=1
fi

if [[ -n $bus ]]; then
    names() { # every accessible name below one object, one per line
        local dest=$1 path=$2 child
        gdbus call --address "$bus" --dest "$dest" --object-path "$path" \
            --method org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name
        for child in $(gdbus call --address "$bus" --dest "$dest" --object-path "$path" \
            --method org.a11y.atspi.Accessible.GetChildren | grep -o "'/org/a11y/atspi/accessible/[^']*'" |
            tr -d "'"); do
            names "$dest" "$child"
        done
    }
    app=$(gdbus call --address "$bus" --dest org.a11y.atspi.Registry \
        --object-path /org/a11y/atspi/accessible/root --method org.a11y.atspi.Accessible.GetChildren |
        grep -o "(':[0-9.]*'" | head -n1 | tr -d "(':") || true
    tree=$(names ":$app" /org/a11y/atspi/accessible/root 2>/dev/null || true)
    for label in "原始DPI:     440" "原始分辨率: 1080x2340"; do
        if grep -qF "'$label'" <<<"$tree"; then
            echo "label: $label"
        else
            echo "no label \"$label\" in the main window" >&2
            fail=1
        fi
    done
else
    echo "labels not checked: no accessibility bus here"
fi
exit $fail
