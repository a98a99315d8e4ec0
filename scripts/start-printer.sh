#!/bin/bash
# Starts CUPS with a PDF printer named "PDF" (cups-pdf writes the jobs to
# ~/PDF), so that Wine's print dialog offers a real printer to the print test.
# Does nothing when the printer is already there.
set -uo pipefail
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

if ! lpstat -r >/dev/null 2>&1 || lpstat -r 2>&1 | grep -q "not running"; then
  $SUDO cupsd >/dev/null 2>&1 || $SUDO /usr/sbin/cupsd >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
fi
if ! lpstat -v PDF >/dev/null 2>&1; then
  $SUDO lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 ||
    echo "start-printer: could not set up the PDF printer; the print test will skip"
fi
