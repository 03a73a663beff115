#!/usr/bin/env bash
# Installs what the build needs, then builds and runs the whole test suite twice:
# once optimised (release) and once with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in release asan; do
  echo "== $preset =="
  scripts/build.sh "$preset"
  ctest --preset "$preset"
done
