#!/bin/sh
# Builds the gradient fuzz check with the build machine's compiler and runs it.
#   run_host_fuzz.sh <host-c++> <source-root> <work-dir>
set -eu
cxx=$1 root=$2 work=$3
mkdir -p "$work"
"$cxx" -std=c++17 -O1 -Wall -Wextra -fsanitize=address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "$root/controls/gradient_bands.cpp" "$root/tests/controls/gradient_bands_fuzz.cpp" \
    -o "$work/gradient_bands_fuzz"
exec "$work/gradient_bands_fuzz"
