#!/bin/bash
# wine-server.sh start|stop LOG: one wine server, with wine's services, for a whole test run.
# The first wine process of a server starts the services (winedevice.exe and others), and they
# keep that process's standard error open until the server ends, three seconds after its last
# program. A test that runs tavolent.exe with standard error on the pipe that cram reads would
# then wait those seconds for the end of the pipe, on every run that finds no server. So the
# server is started here, persistent, its output and that of the services in LOG; `stop` ends it.
# Should the run be cut short, the server still ends 30 seconds after its last program.
# Needs WINEPREFIX, TMPDIR, TAVOLENT_WINE (wine) and TAVOLENT_WINESERVER (its server) in the environment.
set -euo pipefail
action=$1 log=$2
case $action in
  start)
    # Whatever fails, its output is shown.
    trap 'status=$?; [ "$status" -eq 0 ] || cat "$log"' EXIT
    mkdir -p "$WINEPREFIX"
    "$TAVOLENT_WINESERVER" -p30 >"$log" 2>&1
    "$TAVOLENT_WINE" wineboot --init >>"$log" 2>&1
    ;;
  stop) "$TAVOLENT_WINESERVER" -k >>"$log" 2>&1 || true ;;
esac
