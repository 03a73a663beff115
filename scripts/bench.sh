#!/usr/bin/env bash
# Builds the release configuration and runs the benchmarks; arguments go to Google Benchmark
# (for example --benchmark_filter=Signal).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/release/bench/vantrel_bench "$@"
