#!/bin/sh
# The main job: runs the launcher on the staged sample package under Wine.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
session="$build/demo-session"
"$root/tools/wine/session.sh" start "$session" >/dev/null
trap '"$root/tools/wine/session.sh" stop "$session" >/dev/null' EXIT
. "$session/env"
cd "$build/package"
set +e
wine setup.exe /norestart
code=$?
set -e
echo "launcher exit code (low byte): $code"
