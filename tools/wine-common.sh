# Shared by the Wine scripts: where Wine lives and the environment every run needs.
find_wine() {
    for candidate in wine64 wine /usr/lib/wine/wine64; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return 0
        fi
    done
    return 1
}
find_wineserver() {
    for candidate in wineserver /usr/lib/wine/wineserver; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return 0
        fi
    done
    return 1
}
WINE_BINARY=$(find_wine) || { echo "wine not found; run tools/install-deps.sh" >&2; exit 1; }
WINESERVER=$(find_wineserver)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A resource database for libX11, as a desktop session has (see x-resources).
export XENVIRONMENT="${XENVIRONMENT:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/x-resources}"
# The locale is set for Wine alone (see wine-locale.sh).
WINE="$(dirname "${BASH_SOURCE[0]}")/wine-locale.sh"
