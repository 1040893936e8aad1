#!/usr/bin/env bash
# Draws the same map with `tilewright-cli render` and with tmxrasterizer
# (Debian package tiled) and prints the median wall time and peak memory of
# each, and their ratio.
#
#   bench/compare-render.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR holds the built tilewright-cli (default: build-release, else
# build); RUNS is how often each program draws (default 7). The two programs
# take turns, so a busy machine slows both alike.
#
# The work is equal: a 70 x 70 map at a 31-pixel pitch with three full layers.
# For us a level with a tile in every cell of the main level and of the Top
# Right screen and an entity in every cell of that screen, drawn in the Top
# Right view (which also lays the hatch over the main level). For the peer a
# TMX map with three 70 x 70 layers, every cell filled, on a tile sheet of
# 31 x 31 tiles that this script draws from the sample game's own pictures:
# the 14 tile kinds, and the 7 entity kinds each standing on floor. Its tiles
# are opaque, the cheapest kind of tile for it to draw.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
runs=${2:-7}
if [ -z "$build" ]; then
    build=$root/build-release
    [ -x "$build/src/tilewright-cli" ] || build=$root/build
fi
cli=$build/src/tilewright-cli
game=$root/sample/editor
if [ ! -x "$cli" ]; then
    echo "No tilewright-cli in $build/src: build it first (a Release build for figures)." >&2
    exit 2
fi
if [ ! -x /usr/bin/time ]; then
    echo "Peak memory is taken with GNU time: install the Debian package time." >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

tiles=(floor wall ice water pit goal cracked bridge sand exit arrowup arrowright arrowdown arrowleft)
entities=(box door key switch gate teleport gem)
size=70
screen=2

# Rows of TAB-separated names, each line ended by CR LF as the editor writes.
{
    for ((y = 0; y < size; y++)); do
        line=""
        for ((x = 0; x < size; x++)); do
            line+="${line:+$'\t'}${tiles[(x + y) % 14]}"
        done
        printf '%s\r\n' "$line"
    done
    printf '\r\nScreen\tall\r\n35\t35\tPlayer\tleft\r\n\r\n'
    for ((s = 1; s <= 4; s++)); do
        printf 'Screen\t%d\r\n' "$s"
        if [ "$s" -eq "$screen" ]; then
            for ((y = 0; y < size; y++)); do
                for ((x = 0; x < size; x++)); do
                    printf '%d\t%d\t%s\r\n' "$x" "$y" "${tiles[(x * y) % 14]}"
                done
            done
            for ((y = 0; y < size; y++)); do
                for ((x = 0; x < size; x++)); do
                    printf '%d\t%d\t%s\r\n' "$x" "$y" "${entities[(x + 2 * y) % 7]}"
                done
            done
        fi
        printf '\r\n'
    done
} >"$work/level.txt"

# The peer's tile sheet: the sample pictures drawn by the editor's own map
# drawing, tile kinds in the first row and each entity on floor in the second.
{
    line=""
    for ((k = 0; k < 14; k++)); do line+="${line:+$'\t'}${tiles[k]}"; done
    printf '%s\r\n' "$line"
    line=""
    for ((k = 0; k < 14; k++)); do line+="${line:+$'\t'}floor"; done
    printf '%s\r\n\r\nScreen\tall\r\n-5\t-5\tPlayer\t\r\n' "$line"
    for ((k = 0; k < 7; k++)); do printf '%d\t1\t%s\r\n' "$k" "${entities[k]}"; done
} >"$work/sheet.txt"
"$cli" render -C "$game" "$work/sheet.txt" -o "$work/sheet.png"

# gid = 1 + index on the sheet: tile kind k is k, entity kind k is 14 + k.
layer() {
    local id=$1 name=$2 expression=$3 x y
    printf ' <layer id="%d" name="%s" width="%d" height="%d">\n  <data encoding="csv">\n' "$id" "$name" "$size" "$size"
    for ((y = 0; y < size; y++)); do
        line=""
        for ((x = 0; x < size; x++)); do line+="${line:+,}$((1 + ($expression)))"; done
        [ "$y" -lt $((size - 1)) ] && line+=","
        printf '%s\n' "$line"
    done
    printf '  </data>\n </layer>\n'
}
{
    printf '<?xml version="1.0" encoding="UTF-8"?>\n'
    printf '<map version="1.8" orientation="orthogonal" renderorder="right-down" width="%d" height="%d" tilewidth="31" tileheight="31" infinite="0" nextlayerid="4" nextobjectid="1">\n' "$size" "$size"
    printf ' <tileset firstgid="1" name="sample" tilewidth="31" tileheight="31" margin="8" tilecount="28" columns="14">\n'
    printf '  <image source="sheet.png" width="450" height="78"/>\n </tileset>\n'
    layer 1 main '(x + y) % 14'
    layer 2 screen '(x * y) % 14'
    layer 3 entities '14 + (x + 2 * y) % 7'
    printf '</map>\n'
} >"$work/map.tmx"

have_peer=1
if ! command -v tmxrasterizer >/dev/null; then
    have_peer=0
    echo "tmxrasterizer is not installed (Debian package tiled): timing tilewright-cli alone."
fi

# One run: appends "milliseconds kilobytes" to the file named first.
measure() {
    local into=$1 start end
    shift
    start=$EPOCHREALTIME
    /usr/bin/time -f '%M' -o "$work/rss" "$@" >/dev/null 2>"$work/err" || {
        cat "$work/err" >&2
        exit 1
    }
    end=$EPOCHREALTIME
    echo "$(((${end/./} - ${start/./}) / 1000)) $(<"$work/rss")" >>"$into"
}

median() { # column $2 of file $1
    cut -d' ' -f"$2" "$1" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

: >"$work/ours" && : >"$work/peer"
for ((run = 0; run < runs; run++)); do
    measure "$work/ours" "$cli" render -C "$game" "$work/level.txt" --view "$screen" -o "$work/ours.png"
    if [ "$have_peer" -eq 1 ]; then
        measure "$work/peer" tmxrasterizer "$work/map.tmx" "$work/peer.png"
    fi
done

ours_ms=$(median "$work/ours" 1)
ours_kb=$(median "$work/ours" 2)
printf '%-22s %8s %12s\n' "median of $runs runs" "wall ms" "peak KiB"
printf '%-22s %8d %12d\n' "tilewright-cli render" "$ours_ms" "$ours_kb"
if [ "$have_peer" -eq 1 ]; then
    peer_ms=$(median "$work/peer" 1)
    peer_kb=$(median "$work/peer" 2)
    printf '%-22s %8d %12d\n' "tmxrasterizer" "$peer_ms" "$peer_kb"
    printf '%-22s %8s %12s\n' "ratio (ours / peer)" \
        "$(awk -v a="$ours_ms" -v b="$peer_ms" 'BEGIN { printf "%.2f", a / b }')" \
        "$(awk -v a="$ours_kb" -v b="$peer_kb" 'BEGIN { printf "%.2f", a / b }')"
fi
