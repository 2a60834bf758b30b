#!/bin/sh
# Stops the scheduler start_cupsd.sh started in DIR, by its pid, and removes all it left behind.
set -u

dir=$1
if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    if kill "$pid" 2>/dev/null; then
        tries=0
        while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 100 ]; do
            tries=$((tries + 1))
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
fi
if [ -f "$dir/cups-pdf.instance" ]; then
    rm -f "/etc/cups/cups-pdf-$(cat "$dir/cups-pdf.instance").conf"
fi
rm -rf "$dir"
