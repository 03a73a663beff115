#!/usr/bin/env bash
# Installs what the build needs, builds the program (release) and plays the demo patch
# examples/groove.vtx: in the program's window when there is a display (DISPLAY or
# WAYLAND_DISPLAY), on the sound card or, without one, on the silent "Null Output"; without a
# display it renders the patch headless into build/demo.wav instead. With arguments, runs the
# program with them (for example: scripts/run.sh --render examples/textures.vtx textures.wav).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vantrel -j"$(nproc)"
program=build/release/src/app/vantrel
if [ $# -gt 0 ]; then
  exec "$program" "$@"
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the demo patch examples/groove.vtx and playing it; close the window to stop."
  exec "$program" /startdacs /startclock examples/groove.vtx
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): rendering the demo patch headless."
"$program" --render examples/groove.vtx build/demo.wav --length 4
echo "The demo patch examples/groove.vtx is rendered to $(pwd)/build/demo.wav (8 seconds, 44100 Hz stereo)."
