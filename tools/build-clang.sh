#!/usr/bin/env bash
# Builds everything with Clang, every warning an error, in build-clang/. The
# tests run on the default compiler's build; this one only has to build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure-packages.sh clang
CXX=clang++ cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRER_WERROR=ON >/dev/null
cmake --build build-clang
