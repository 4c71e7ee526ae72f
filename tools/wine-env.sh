#!/bin/bash
# Prepares or tears down a private Wine environment: prefix, virtual X display, virtual desktop.
#   wine-env.sh setup DIR [DPI [FROM]]
#                            create DIR/prefix once, start Xvfb, write DIR/env; with DPI the
#                            prefix draws at that many dots per inch (default 96); with FROM, a
#                            ready prefix of another environment is copied rather than made anew
#   wine-env.sh cleanup DIR  stop wineserver, then the X server
set -e
action=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
dpi=${3:-}
from=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
export WINEPREFIX="$dir/prefix"

start_display() {
    if [ -n "${HUEBENCH_DISPLAY:-}" ]; then # a display the caller owns, e.g. the user's desktop
        export DISPLAY=$HUEBENCH_DISPLAY
        return
    fi
    if [ -f "$dir/display" ] && [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
        export DISPLAY=$(cat "$dir/display")
        return
    fi
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        echo $! >"$dir/xvfb.pid"
        for _ in $(seq 1 50); do
            # Another run may have taken :$n a moment earlier: the display is ours only when the
            # server's lock file names our server.
            kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null || break
            if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
                [ "$(awk '{ print $1 }' "/tmp/.X$n-lock" 2>/dev/null)" = "$(cat "$dir/xvfb.pid")" ]; then
                echo ":$n" >"$dir/display"
                export DISPLAY=":$n"
                return
            fi
            sleep 0.1
        done
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    done
    echo "could not start Xvfb" >&2
    exit 1
}

configure_prefix() {
    # Every program runs inside a Wine virtual desktop, so windows get real frames without a
    # window manager; the Japanese UI font falls back to the IPA Gothic fonts.
    cat >"$dir/prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
    "$WINE" regedit "$dir/prefix.reg" >/dev/null 2>&1
    "$WINESERVER" -w
}

# Wine's own fonts (Marlett draws the caption buttons) from Debian's fonts-wine, where this Wine
# does not look for them by itself.
link_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -d "$fonts" ] || return 0
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && [ ! -e "$fonts/$(basename "$font")" ] && ln -s "$font" "$fonts/"
    done
    return 0
}

# A copy of a ready prefix takes a second where wineboot takes half a minute. The system DLLs are
# shared as hard links (Wine never writes them); everything else is copied.
copy_prefix() {
    local source=$1/prefix
    [ -f "$source/.huebench-ready" ] || return 1
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX/drive_c/windows"
    tar -C "$source" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
        --exclude=./wineserver --exclude=./.huebench-dpi --exclude=./.huebench-ready -cf - . | tar -C "$WINEPREFIX" -xf -
    for shared in system32 syswow64; do
        [ ! -d "$source/drive_c/windows/$shared" ] || cp -al "$source/drive_c/windows/$shared" "$WINEPREFIX/drive_c/windows/"
    done
}

# The display's resolution: Wine draws every program at the prefix's LogPixels.
configure_dpi() {
    local value
    value=$(printf '%08x' "$1")
    cat >"$dir/dpi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$value

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:$value
REG
    "$WINE" regedit "$dir/dpi.reg" >/dev/null 2>&1
    "$WINESERVER" -w
}

case "$action" in
setup)
    start_display
    if [ ! -f "$WINEPREFIX/.huebench-ready" ]; then
        if [ -z "$from" ] || ! copy_prefix "$from"; then
            rm -rf "$WINEPREFIX"
            "$WINE" wineboot -i >/dev/null 2>&1
            "$WINESERVER" -w
            configure_prefix
        fi
        touch "$WINEPREFIX/.huebench-ready"
    fi
    if [ -n "$dpi" ] && [ "$(cat "$WINEPREFIX/.huebench-dpi" 2>/dev/null)" != "$dpi" ]; then
        configure_dpi "$dpi"
        echo "$dpi" >"$WINEPREFIX/.huebench-dpi"
    fi
    link_wine_fonts
    ;;
cleanup)
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid" "$dir/display"
    fi
    ;;
*)
    echo "usage: $0 setup|cleanup DIR" >&2
    exit 2
    ;;
esac
