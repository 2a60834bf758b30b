#!/bin/bash
# The victory screen through the test entry: a name typed into its box and Enter print the winning
# certificate, which arrives as a PDF in the private print queue, and the program ends with 0.
# Runs under tests/cups/with_cupsd.sh, which provides the queue (CRATEFALL_TEST_PDF_DIR).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

pdf_dir="${CRATEFALL_TEST_PDF_DIR:?run this under tests/cups/with_cupsd.sh}"
name="Ada Lovelace"

start_game "$CRATEFALL_E2E_ENTRY" "$victory_screen"
victory=$(window "$(caption "$victory_screen")")

step "type a name into the box and press Enter"
click "$victory" "$(centre_px "$victory_screen" Text1)"
type_text "$victory" "$name"
keys "$victory" Return
expect_exit_status 0 30

step "the certificate arrives in the print queue with the name on it"
pdf_arrived() {
    pdfs=("$pdf_dir"/*.pdf)
    [ -e "${pdfs[0]}" ]
}
until_within "no PDF arrived in the queue's folder $pdf_dir" pdf_arrived
expect_equal "${#pdfs[@]}" 1 "printed documents"
# The queue's device renames each PDF into place once it is whole.
text=$(pdftotext "${pdfs[0]}" -) || fail "pdftotext cannot read ${pdfs[0]}"
# Not piped into grep -q: with pipefail, a grep that has found its line and left before echo has
# written the rest fails the pipe.
[[ "$text" == *"$name"* ]] || fail "the certificate does not carry the name: $text"
[[ "$text" == *"Congratulations, you"* ]] || fail "the certificate lacks its heading: $text"
