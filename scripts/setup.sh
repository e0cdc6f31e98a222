#!/usr/bin/env bash
# Installs what building, running and testing Orvella need on Debian 12 (apt-get only) and
# fetches the libpng source tarball from Debian's source archive. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  zlib1g-dev libpng-dev googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev
  wine64 xvfb xauth fonts-wine imagemagick xdotool x11-utils
  dpkg-dev ca-certificates ntfs-3g attr ccache
)
bench_packages=(gdu ncdu)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}" "${bench_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Debian's source archive holds the libpng tarball the Windows builds compile.
src_list=/etc/apt/sources.list.d/orvella-deb-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  sudo_ tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

tarball=.cache/deps/libpng1.6_1.6.39.orig.tar.gz
sha=a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ] || [ ! -f "$tarball" ]; then
  sudo_ apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$tarball" ] || ! echo "$sha  $tarball" | sha256sum -c --quiet - 2>/dev/null; then
  mkdir -p .cache/deps
  rm -f "$tarball"
  # The .dsc of a security update may be missing; the orig tarball still arrives.
  (cd .cache/deps && apt-get source --download-only libpng1.6 >/dev/null 2>&1 || true)
  if [ ! -f "$tarball" ]; then
    echo "error: could not fetch $tarball from Debian's source archive" >&2
    exit 1
  fi
  echo "$sha  $tarball" | sha256sum -c --quiet -
fi
echo "setup: ok"
