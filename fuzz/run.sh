#!/usr/bin/env bash
# Runs each fuzz target in turn for the given seconds, one process at a time,
# niced, on a corpus kept in the build folder and seeded afresh from the sample
# reports. A crash, a leak, a timeout (10 s for one input) or going beyond
# 2 GB fails the run with libFuzzer's reason and the input saved under
# BUILD/fuzz-run/artifacts.
#   fuzz/run.sh BUILD SECONDS [TARGET...]   (targets: elements template data render)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(elements template data render)
root=$(cd "$(dirname "$0")/.." && pwd)
examples=$root/examples
run=$build/fuzz-run
rm -rf "$run/seeds"
mkdir -p "$run/seeds" "$run/artifacts"

# Longest input per target: the element reader gains nothing from whole
# files; the others take the largest sample whole.
declare -A maxLen=([elements]=4096 [template]=65536 [data]=32768 [render]=98304)

# The dictionary: every tag of the samples and of the key vocabulary, opening
# and closing, and the pieces hostile numbers and tags are made of.
{
  grep -aoh '<[A-Za-z_][A-Za-z0-9_.-]*>' "$examples"/*.zet "$examples"/*.xml | tr -d '<>'
  grep -ohE '\{ "[^"]+" \}' "$root/src/template/Vocabulary.h" "$root/src/xml/RecordsetData.h" | cut -d'"' -f2
} | sort -u | while read -r name; do printf '"<%s>"\n"</%s>"\n' "$name" "$name"; done >"$run/tags.dict"
printf '%s\n' '"<"' '">"' '"</"' '"&H"' '"&O"' '"-1"' '"1e308"' '"2147483648"' '"\x0d"' >>"$run/tags.dict"

# Seeds. elements: "name" line + a stretch of a sample, for its most used tags.
mkdir -p "$run/seeds/elements" "$run/seeds/template" "$run/seeds/data" "$run/seeds/render"
for file in "$examples"/*.zet "$examples"/*.xml; do
  base=$(basename "$file")
  size=$(stat -c %s "$file")
  mapfile -t names < <(grep -aoh '<[A-Za-z_][A-Za-z0-9_.-]*>' "$file" | tr -d '<>' | sort | uniq -c \
    | sort -rn | head -n 4 | awk '{ print $2 }')
  for ((chunk = 0; chunk * 3000 < size; chunk++)); do
    { printf '%s\n' "${names[chunk % ${#names[@]}]}"
      dd if="$file" bs=3000 skip=$chunk count=1 status=none; } >"$run/seeds/elements/$base.$chunk"
  done
done
cp "$examples"/*.zet "$run/seeds/template/"
cp "$examples"/*.xml "$run/seeds/data/"
for zet in "$examples"/*.zet; do
  cat "$zet" "${zet%.zet}.xml" >"$run/seeds/render/$(basename "${zet%.zet}")"
done

failed=0
for target in "${targets[@]}"; do
  corpus=$run/corpus/$target
  log=$run/$target.log
  mkdir -p "$corpus"
  status=0
  QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0" \
    nice -n 10 "$build/fuzz/fuzz_$target" "$corpus" "$run/seeds/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="${maxLen[$target]}" \
    -dict="$run/tags.dict" -artifact_prefix="$run/artifacts/$target-" -print_final_stats=1 \
    >"$log" 2>&1 || status=$?
  if [ "$status" -eq 0 ]; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    kept=$(sed -n 's/.* corp: \([^ ]*\).*/\1/p' <<<"$last")
    echo "fuzz $target: $runs runs in ${time} s, corpus $kept (inputs/size)," \
      "coverage $cov edges ($features features), no findings"
  else
    failed=1
    reason=$(grep -m 1 -E '== ?ERROR: |SUMMARY: |fuzz: broken promise|runtime error' "$log" || true)
    echo "fuzz $target: FAILED (exit $status): ${reason:-see $log}"
    grep -E '^(    #[0-9]+ |SUMMARY|artifact_prefix|Test unit written|.*runtime error)' "$log" | head -n 30 || true
    echo "  full log: $log"
  fi
done
exit $failed
