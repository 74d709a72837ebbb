#!/usr/bin/env bash
# Replays packaging/screenshot.vxs into a scratch file, so that the README's screenshot can
# always be made again, and checks that the picture has the game window's size.
# Arguments: the vexmire-sim program, the replay script.
set -euo pipefail

sim=$1
script=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

grep -q '^render docs/screenshot.png$' "$script" || {
    echo "FAIL: $script does not render docs/screenshot.png" >&2
    exit 1
}
sed "s|^render docs/screenshot.png\$|render $scratch/screenshot.png|" "$script" >"$scratch/replay"
"$sim" "$scratch/replay" >/dev/null
file "$scratch/screenshot.png" | grep -q 'PNG image data, 838 x 759' || {
    echo "FAIL: the replay made $(file -b "$scratch/screenshot.png")" >&2
    exit 1
}
echo "the replay renders an 838 x 759 screenshot"
