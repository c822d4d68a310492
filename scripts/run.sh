#!/bin/sh
# Builds the program and runs its main job.
# Until the window program exists: renders the start picture with the
# command-line renderer and says where the file is.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native
out="$PWD/build/lumo-start.tif"
build/native/cli/lumo render --formula 3 -o "$out"
echo "rendered the start picture (formula 3, the colour wheel) to $out"
