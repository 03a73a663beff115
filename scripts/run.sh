#!/usr/bin/env bash
# Installs what the build needs, builds the program (release) and renders the demo patch
# examples/groove.vtx into build/demo.wav. With arguments, runs the program with them instead
# (for example: scripts/run.sh --render examples/textures.vtx textures.wav --length 4).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vantrel -j"$(nproc)"
program=build/release/src/app/vantrel
if [ $# -gt 0 ]; then
  exec "$program" "$@"
fi
"$program" --render examples/groove.vtx build/demo.wav --length 4
echo "The demo patch examples/groove.vtx is rendered to $(pwd)/build/demo.wav (8 seconds, 44100 Hz stereo)."
