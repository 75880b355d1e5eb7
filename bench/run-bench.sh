#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Prints the benchmark table: bench/run-bench.sh BUILD_DIR [PAIRS] [REPEATS]
set -euo pipefail
build=${1:?usage: run-bench.sh BUILD_DIR [PAIRS] [REPEATS]}
pairs=${2:-31}
repeats=${3:-40}
here=$(cd "$(dirname "$0")/.." && pwd)
command -v Xvfb >/dev/null || { echo "run-bench: Xvfb is missing (Debian package xvfb)" >&2; exit 1; }
printf '%-52s %9s %9s %9s %9s\n' "measure" "median" "min" "max" "budget"
"$build/bench/lumora-bench-startup" "$build/lumora/lumora" "$build/bench/lumora-plain-main" \
    "$build/bench/lumora-baseline" "$pairs"
"$build/bench/lumora-bench-windows" "$here/data" "$repeats" 2>/dev/null
QT_SCALE_FACTOR=2 "$build/bench/lumora-bench-windows" "$here/data" "$repeats" repaint 2>/dev/null
# Every huge file costs a start and 31 openings a round: fewer rounds.
huge_repeats=$(( repeats / 4 > 5 ? repeats / 4 : 5 ))
"$build/bench/lumora-bench-windows" "$here/data" "$huge_repeats" huge 2>/dev/null
