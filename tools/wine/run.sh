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
exec wine "$@"
