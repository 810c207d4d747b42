#!/usr/bin/env bash
# Runs every libFuzzer target built in BUILD_DIR/fuzz for SECONDS each, one
# after the other. Seeds come from fuzz/corpus/NAME and fuzz/regressions/NAME;
# what the fuzzer learns goes to BUILD_DIR/corpus/NAME, findings to
# BUILD_DIR/artifacts/NAME/. Fails if any target reports a finding.
set -u
build_dir="$1"
seconds="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"

passed=0
failed=0
shopt -s nullglob
targets=("$build_dir"/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in $build_dir/fuzz" >&2
  exit 1
fi
for exe in "${targets[@]}"; do
  [ -x "$exe" ] || continue
  name="$(basename "$exe")"
  name="${name%_fuzz}"
  work="$build_dir/corpus/$name"
  artifacts="$build_dir/artifacts/$name"
  log="$build_dir/fuzz-$name.log"
  mkdir -p "$work" "$artifacts"
  dirs=("$work")
  for seeds in "$root/fuzz/corpus/$name" "$root/fuzz/regressions/$name"; do
    [ -d "$seeds" ] && dirs+=("$seeds")
  done
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096
           -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$root/fuzz/$name.dict" ] && options+=(-dict="$root/fuzz/$name.dict")

  echo "fuzzing $name for $seconds s"
  "$exe" "${options[@]}" "${dirs[@]}" >"$log" 2>&1
  status=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  if [ $status -eq 0 ]; then
    echo "ok: $name, ${runs:-?} executions in $seconds s, ${cov:-cov: ?}"
    passed=$((passed + 1))
  else
    echo "FAILED: $name (exit $status); log $log, findings in $artifacts/"
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 20
    echo "reproduce with: $exe <the file above>; once fixed, keep it in fuzz/regressions/$name/"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
