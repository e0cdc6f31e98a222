# Sourced by the scripts that run Windows programs: the Wine binaries and a prefix set up once.
# wine_prefix_init <prefix>: creates the prefix (about 20 s the first time) and installs Tahoma.
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"

wine_prefix_init() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.orvella-ready" ]; then
      WINEPREFIX="$prefix" "$WINE64" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$prefix" "$WINESERVER" -w
      # Wine 8 does not find Debian's Tahoma until it sits in the prefix's font folder.
      cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
      touch "$prefix/.orvella-ready"
    fi
  ) 9>"$prefix.lock"
}
