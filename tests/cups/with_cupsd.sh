#!/bin/bash
# Runs a test program against a private CUPS scheduler, started as the user who runs the test:
# its configuration, spool, logs, socket and printed PDFs all live in one temporary folder, so the
# machine's own spooler and settings are never touched, and it ends with this script however the
# script ends (a test killed at its time limit runs no trap).
#
#   with_cupsd.sh PROGRAM [ARGS...]
#
# The scheduler has one queue, the default, which turns each job into a PDF of its own in
# CRATEFALL_TEST_PDF_DIR; its name is in CRATEFALL_TEST_QUEUE, and the scheduler's count of the
# sheets each job took in CRATEFALL_TEST_PAGE_LOG.
# The program finds the scheduler through CUPS_SERVER. HOME is a fresh folder so that no personal
# lpoptions choose another default printer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

# The one reason to skip: a machine without the spooler or its PDF filter cannot run these.
for needed in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat /usr/lib/cups/filter/pdftopdf; do
    if [ ! -x "$needed" ]; then
        echo "SKIP: $needed is not installed" >&2
        exit 77
    fi
done

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
held_dir cratefall-cups
dir="$held"
pids=()
stop() {
    for pid in "${pids[@]}"; do
        stop_pid "$pid"
    done
    rm -rf "$dir"
}
trap stop EXIT

mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/out" "$dir/home"

if [ "$(id -u)" -eq 0 ]; then
    # Root's cupsd runs the filters as lp, which must reach the spooled files and the PPD.
    chmod 0755 "$dir"
    run_as=
else
    run_as="User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)"
fi

cat >"$dir/cups-files.conf" <<CONF
$run_as
ServerRoot $dir
FileDevice Yes
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
CONF

cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel info
MaxLogSize 0
WebInterface No
Browsing No
BrowseLocalProtocols none
DefaultShared No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

# The queue's file: device is a FIFO that cupsd opens for each job and closes when the job
# is done: read in a loop, every job becomes a PDF of its own, renamed into place once whole.
# cups-pdf, the usual PDF printer, would need root and a file in /etc/cups. The reader, like
# cupsd, ends when this script does.
mkfifo "$dir/device"
setpriv --pdeathsig TERM sh -c '
    job=0
    while setpriv --pdeathsig TERM cat "$1/device" >"$1/job"; do
        job=$((job + 1))
        [ ! -s "$1/job" ] || mv "$1/job" "$1/out/job-$job.pdf"
    done' sh "$dir" &
pids=("$!" "${pids[@]}")

# The kernel stops cupsd when this script dies, even by SIGKILL.
setpriv --pdeathsig TERM /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 &
pids=("$!" "${pids[@]}")
# Only now: a child forked while the shell traps TERM, and stopped before it has started its
# program, would take the signal as the shell's and run on.
trap 'exit 130' INT TERM

CUPS_SERVER=$dir/cups.sock
HOME=$dir/home
# lpadmin, cupsaccept and cupsreject live in /usr/sbin, which a user's PATH may lack.
PATH=$PATH:/usr/sbin
export CUPS_SERVER HOME PATH
CRATEFALL_TEST_QUEUE=cratefall_pdf
# Ten seconds at the most for each step, each question included: a scheduler that takes a
# connection and never answers must not hold the test until it is killed without a word.
if ! timeout 10 sh -c 'until lpstat -r 2>/dev/null | grep -qx "scheduler is running"; do
        sleep 0.1
    done' || ! timeout 10 lpadmin -p "$CRATEFALL_TEST_QUEUE" -v "file:$dir/device" -E \
    -P "$here/pdf_folder.ppd" || ! timeout 10 lpadmin -d "$CRATEFALL_TEST_QUEUE"; then
    echo "private cupsd did not start or set up its queue; its log:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    exit 1
fi
CRATEFALL_TEST_PDF_DIR=$dir/out
# A line for each finished job: "total N" counts its sheets, copies included.
CRATEFALL_TEST_PAGE_LOG=$dir/log/page_log
export CRATEFALL_TEST_PDF_DIR CRATEFALL_TEST_QUEUE CRATEFALL_TEST_PAGE_LOG

status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- private cupsd error log ---" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
fi
exit "$status"
