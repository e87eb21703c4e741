#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing;
# packages named as arguments too.
set -euo pipefail
need=(cmake ninja-build g++ qt6-base-dev libgl-dev libsqlite3-dev libgtest-dev poppler-utils sqlite3
      fonts-liberation2)
# "x11" stands for a virtual X server and a typist, to try the program by
# hand as a user does (xvfb-run and xdotool); the build and the tests need
# neither. "style" stands for the formatter and the static checker of
# tools/check-style.sh (Debian's clang-format and cppcheck).
for extra in "$@"; do
    if [ "$extra" = x11 ]; then
        need+=(xvfb xauth xdotool)
    elif [ "$extra" = style ]; then
        need+=(clang-format cppcheck)
    else
        need+=("$extra")
    fi
done
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
