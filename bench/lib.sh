# Shared by bench/run and bench/windows.sh (sourced): gathering the "key=value" figures that the
# measuring programs print. Both set out (the results folder) and raw (every value) first.
# shellcheck shell=bash

# Keeps the "key=value" lines of a command's output, under a prefix. A figure measured more than
# once (start-up, the resource rounds) is reported as the median of its values.
collect() {
    local prefix="$1"
    shift
    if ! "$@" >"$out/last.txt" 2>>"$out/stderr.log"; then
        echo "failed, its figures will be missing: $*" >&2
    fi
    { grep -E '^[A-Za-z0-9_.:/]+=' "$out/last.txt" || true; } | sed "s|^|${prefix}|" >>"$raw"
}

medians() {
    sort -t= -k1,1 -k2,2g "$raw" | awk -F= '
        function flush() { if (n) print key "=" (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2) }
        $1 != key { flush(); key = $1; n = 0 }
        { v[++n] = $2 }
        END { flush() }'
}
