#!/bin/bash
# Packs the release a Windows user takes: BUILD/dist/Huebench-<version>-win64.zip holding
# Huebench.exe and readme.txt (Japanese, UTF-8 with a byte-order mark and CR LF line ends, so that
# Notepad shows it right on any Windows). The version is the FileVersion of the version resource
# in shell/Huebench.rc, the one the program's version box shows.
#   dist.sh BUILD        prints the path of the zip
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
exe=$build/Huebench.exe
[ -f "$exe" ] || { echo "no $exe: build first (make build)" >&2; exit 1; }

version=$(sed -n 's/^[[:space:]]*VALUE[[:space:]]*"FileVersion",[[:space:]]*"\([^"]*\)".*/\1/p' \
    "$here/../shell/Huebench.rc")
[[ "$version" =~ ^[0-9]+(\.[0-9]+)*$ ]] || { echo "no FileVersion in shell/Huebench.rc: '$version'" >&2; exit 1; }

out=$build/dist
stage=$out/Huebench-$version
zip=$out/Huebench-$version-win64.zip
rm -rf "$stage" "$zip"
mkdir -p "$stage"
cp "$exe" "$stage/Huebench.exe"
{
    printf '\357\273\277'
    sed "s/@VERSION@/$version/g; s/\$/\r/" "$here/dist/readme.txt"
} >"$stage/readme.txt"
(cd "$stage" && zip -q -X -9 "$zip" Huebench.exe readme.txt)
rm -rf "$stage"
echo "$zip"
