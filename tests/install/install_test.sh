#!/usr/bin/env bash
# Installs the build into a temporary prefix with a blank in its name and
# checks what a user gets: one program folder with the programs, cmd and the
# tool links, launchers, menu entries and icons; then starts tessadrel from
# its launcher on the X display, from another folder, and waits for its main
# window. The folder's adb is swapped for a fake that logs its arguments, so
# the start-up console shows it was that adb that ran.
#
#   install_test.sh CMAKE BUILD_DIR
#
# Exit code 77 (skipped) without a display or xdotool.
set -euo pipefail
cmake=$1
build=$2

if [[ -z ${DISPLAY:-} ]] || ! command -v xdotool >/dev/null; then
    echo "skipped: no X display or no xdotool"
    exit 77
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
prefix="$work/pre fix"
fail=0
problem() {
    echo "$*" >&2
    fail=1
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log" >&2
    exit 1
}

folder="$prefix/lib/tessadrel"
for f in "$folder/tessadrel" "$folder/pellork" "$folder/cmd" "$prefix/bin/tessadrel" \
    "$prefix/bin/pellork"; do
    [[ -f $f && -x $f ]] || problem "not installed or not executable: $f"
done
# The tools are linked where the build links them.
for tool in adb fastboot; do
    if [[ -L $build/bin/$tool ]]; then
        [[ $(readlink "$folder/$tool") == "$(readlink "$build/bin/$tool")" ]] ||
            problem "$folder/$tool does not link to $(readlink "$build/bin/$tool")"
    fi
done

for program in tessadrel pellork; do
    entry="$prefix/share/applications/$program.desktop"
    [[ -f $entry ]] || { problem "no menu entry $entry"; continue; }
    grep -qxF "Exec=\"$prefix/bin/$program\"" "$entry" || problem "$entry: Exec is not the launcher"
    grep -qxF "Icon=$program" "$entry" || problem "$entry: Icon is not $program"
    for size in 48 64 128 256; do
        icon="$prefix/share/icons/hicolor/${size}x$size/apps/$program.png"
        # A PNG's width and height are the big-endian words at 16 and 20.
        dims=$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null |
            awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
        [[ $(head -c 4 "$icon" 2>/dev/null | tail -c 3) == PNG && $dims == "${size}x$size" ]] ||
            problem "no $size px icon: $icon"
    done
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" || problem "$entry does not validate"
    else
        echo "desktop-file-validate not installed: $entry not validated"
    fi
done

# A fake adb and fastboot in the program folder, and a terminal that runs
# what follows -e in place, without a window.
for tool in adb fastboot; do
    rm -f "$folder/$tool"
    printf '#!/bin/sh\necho "%s $*" >>"%s/tools.log"\n' "$tool" "$work" >"$folder/$tool"
    chmod +x "$folder/$tool"
done
cat >"$work/terminal" <<'EOT'
#!/bin/sh
while [ "$#" -gt 0 ] && [ "$1" != "-e" ]; do shift; done
[ "$#" -gt 0 ] && shift
exec "$@"
EOT
chmod +x "$work/terminal"
mkdir "$work/home"
# A PATH without the system's adb, so that no real adb can run.
mkdir "$work/sysbin"
for p in sh dirname readlink; do ln -s "$(command -v "$p")" "$work/sysbin/$p"; done

caption="Morvane 第六代免ROOT搞机神器   酷安@Halvern"
(cd "$work/home" && exec env -u QT_QPA_PLATFORM TERMINAL="$work/terminal" \
    TESSADREL_DRIVES="$work/drives" PATH="$work/sysbin" "$prefix/bin/tessadrel") \
    >"$work/tessadrel.log" 2>&1 &
pid=$!
# The launcher hands its process over to the program.
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name Morvane | head -n1) ||
    true
if [[ -z $window ]]; then
    problem "no main window within 30 s"
    cat "$work/tessadrel.log" >&2
else
    name=$(xdotool getwindowname "$window")
    [[ $name == "$caption" ]] || problem "main window caption: $name"
    [[ $(readlink "/proc/$pid/exe") == "$folder/tessadrel" ]] ||
        problem "the launcher did not exec the program in its folder"
    for _ in $(seq 100); do
        grep -qx "adb devices" "$work/tools.log" 2>/dev/null && break
        sleep 0.1
    done
    grep -qx "adb devices" "$work/tools.log" 2>/dev/null ||
        problem "the start-up console did not reach the program folder's adb"
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""
exit $fail
