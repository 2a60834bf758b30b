#!/bin/bash
# Runs the test suite of an existing build RUNS times in a row beside a busy process on every core
# (stress-ng), as on a developer's machine that compiles beside it or a busy CI runner, and says
# how long each run took. Stops at the first failing run; ctest keeps that run's whole output in
# BUILD/Testing/Temporary/LastTest.log.
#
#   dev/test_loaded.sh [RUNS] [BUILD]        (10 runs of build/ unless told)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

runs="${1:-10}"
build_dir="${2:-$repo_root/build}"
command -v stress-ng >/dev/null || as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends stress-ng >/dev/null
use_private_runtime_dir
setpriv --pdeathsig TERM stress-ng --cpu "$(nproc)" --quiet &
load_pid=$!
trap 'stop_pid "$load_pid"; remove_private_runtime_dir' EXIT

for run in $(seq "$runs"); do
    started=$SECONDS
    log="$build_dir/loaded-run.log"
    if ! ctest --test-dir "$build_dir" --output-on-failure --timeout 600 >"$log" 2>&1; then
        # The whole output, not just where it is: a root that ran it is thrown away with it.
        grep -v "   Passed " "$log" >&2
        echo "run $run of $runs FAILED after $((SECONDS - started)) s (load average" \
            "$(cut -d' ' -f1-3 /proc/loadavg)); its output: $log" >&2
        exit 1
    fi
    echo "run $run of $runs passed in $((SECONDS - started)) s (load average" \
        "$(cut -d' ' -f1-3 /proc/loadavg))"
done
