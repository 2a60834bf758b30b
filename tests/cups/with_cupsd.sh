#!/bin/sh
# Runs a test program against a private CUPS scheduler and stops the scheduler afterwards,
# whatever the outcome.
#
#   with_cupsd.sh pdf-queue|no-queue PROGRAM [ARGS...]
#
# The program finds the scheduler through CUPS_SERVER, the queue's name in CRATEFALL_TEST_QUEUE
# and the folder the printed PDFs appear in through CRATEFALL_TEST_PDF_DIR. HOME is a fresh folder
# so that no personal lpoptions choose another default printer.
set -eu

# The one reason to skip: a machine without the spooler or the PDF printer cannot run these.
for needed in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat /usr/lib/cups/backend/cups-pdf; do
    if [ ! -x "$needed" ]; then
        echo "SKIP: $needed is not installed" >&2
        exit 77
    fi
done
if [ "$(id -u)" -ne 0 ]; then
    echo "these tests start cupsd and the cups-pdf backend, which need root" >&2
    exit 1
fi

mode=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/cratefall-cups.XXXXXX")
trap 'sh "$here/stop_cupsd.sh" "$dir"' EXIT
trap 'exit 130' INT TERM

sh "$here/start_cupsd.sh" "$dir" "$mode"

CUPS_SERVER=$dir/cups.sock
HOME=$dir/home
CRATEFALL_TEST_PDF_DIR=$dir/out
CRATEFALL_TEST_QUEUE=$(cat "$dir/queue" 2>/dev/null || true)
export CUPS_SERVER HOME CRATEFALL_TEST_PDF_DIR CRATEFALL_TEST_QUEUE

status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- private cupsd error log ---" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
fi
exit "$status"
