#!/bin/bash
# Draws the program icon (a 3 x 3 palette of swatches) at 16, 32 and 48 pixels into shell/Huebench.ico.
set -e
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
for size in 16 32 48; do
    cell=$((size / 3))
    args=()
    colours=("#E53935" "#FB8C00" "#FDD835" "#43A047" "#00ACC1" "#1E88E5" "#8E24AA" "#6D4C41" "#FFFFFF")
    i=0
    for row in 0 1 2; do
        for col in 0 1 2; do
            x0=$((col * cell + 1)); y0=$((row * cell + 1))
            x1=$(((col + 1) * cell - 1)); y1=$(((row + 1) * cell - 1))
            args+=(-fill "${colours[$i]}" -draw "rectangle $x0,$y0 $x1,$y1")
            i=$((i + 1))
        done
    done
    convert -size ${size}x${size} xc:"#37474F" -stroke none "${args[@]}" "PNG32:$tmp/icon$size.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" shell/Huebench.ico
rm -rf "$tmp"
