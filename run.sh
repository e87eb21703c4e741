#!/usr/bin/env bash
# Builds the program and starts it on the database named by the per-user
# setting; when none is set, or the file is missing, on the demo database.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target rer
conf="${XDG_CONFIG_HOME:-$HOME/.config}/MarvikEmis.conf"
db=""
if [ -f "$conf" ]; then
    db=$(sed -n '/^\[Startup\]/,/^\[/{s/^Database=//p}' "$conf" | head -n 1)
fi
if [ -z "$db" ] || [ ! -f "$db" ]; then
    db="$PWD/demo/school.db"
    if [ ! -f "$db" ]; then
        echo "Creating the demo database $db"
        sqlite3 "$db" < demo/school.sql
    fi
    mkdir -p "$(dirname "$conf")"
    if [ -f "$conf" ] && grep -q '^\[Startup\]' "$conf"; then
        sed -i '/^\[Startup\]/,/^\[/{/^Database=/d}' "$conf"
        sed -i "/^\[Startup\]/a Database=$db" "$conf"
    else
        printf '[Startup]\nDatabase=%s\n' "$db" >> "$conf"
    fi
fi
exec build/app/rer
