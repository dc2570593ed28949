#!/bin/sh
# Tells Wine to manage the windows of one program itself (see unmanaged_windows.cmake).
set -eu
exec "$KV_WINE_RUN" reg add "HKCU\\Software\\Wine\\AppDefaults\\$1\\X11 Driver" /v Managed /d N /f
