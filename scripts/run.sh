#!/usr/bin/env bash
# Installs what the build needs, builds the release configuration and runs the program.
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/release/src/app/vantrel "$@"
