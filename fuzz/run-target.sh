#!/usr/bin/env bash
# Runs one fuzz target for a bounded time: every seed first, then new
# inputs. New corpus entries and crash inputs go to the scratch directory,
# never into the seed corpus in the repository.
#
# Usage: run-target.sh BINARY SECONDS SEED_DIR SCRATCH_DIR [DICTIONARY]
set -euo pipefail
binary=$1 seconds=$2 seeds=$3 scratch=$4 dict=${5:-}

mkdir -p "$scratch/corpus" "$scratch/crashes"
options=(
  -max_total_time="$seconds"
  -timeout=20          # one input running this long counts as a hang
  -rss_limit_mb=2048
  -max_len=16384
  -print_final_stats=1
  -artifact_prefix="$scratch/crashes/"
)
[ -n "$dict" ] && options+=(-dict="$dict")
exec "$binary" "${options[@]}" "$scratch/corpus" "$seeds"
