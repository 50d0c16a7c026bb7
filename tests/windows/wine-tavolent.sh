#!/bin/bash
# tavolent.exe under wine, for the transcripts: standard input handed through, both output
# streams on standard output in the order written, each CR LF turned back into LF. Wine's
# TMPDIR is the test run's (TAVOLENT_WINE_TMPDIR), where its server is. A bare LF
# would mean the Windows build writes its text differently: the run then ends with status 125.
set -o pipefail
TMPDIR=$TAVOLENT_WINE_TMPDIR "$TAVOLENT_WINE" "$TAVOLENT_EXE" "$@" 2>&1 | perl -pe 'BEGIN { $| = 1 } $bare = 1 if /(?<!\r)\n\z/; s/\r\n\z/\n/; END { exit 125 if $bare }'
