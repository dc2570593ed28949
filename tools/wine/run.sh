#!/bin/sh
# Runs a Windows program of the build under the current Wine test session
# (KV_WINE_SESSION names its folder) and passes its exit code on.
set -eu
session=${KV_WINE_SESSION:-}
if [ -z "$session" ] || [ ! -f "$session/env" ]; then
    echo "run.sh: no Wine session (set KV_WINE_SESSION, start tools/wine/session.sh)" >&2
    exit 2
fi
. "$session/env"
# The program's output goes through a file: Wine's helper processes that the
# program starts (the desktop, the RPC service) inherit its output handles and
# outlive it, and a caller reading a pipe would wait for them to exit.
out=$(mktemp "$session/output.XXXXXX")
set +e
wine "$@" >"$out" 2>&1 </dev/null
code=$?
set -e
cat "$out"
rm -f "$out"
exit $code
