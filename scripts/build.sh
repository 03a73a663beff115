#!/usr/bin/env bash
# build.sh PRESET : configures and builds one of the CMake presets (release, asan, debug).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
