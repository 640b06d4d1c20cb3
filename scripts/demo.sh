#!/usr/bin/env bash
# Renders every sample report in examples/ to out/: one PDF per report and
# one PNG per page. Usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
zetview="$build/app/zetview"
# Dates in the samples follow the locale: show them in Italian unless told otherwise.
export LANG=${LANG:-it_IT.UTF-8}
out=out
mkdir -p "$out"

for template in examples/*.zet; do
  name=$(basename "$template" .zet)
  data="examples/$name.xml"
  [ -f "$data" ] || continue
  echo "== $name"
  "$zetview" info "$template" "$data"
  "$zetview" export --format pdf "$template" "$data" -o "$out/$name.pdf"
  "$zetview" export --format png --dpi 96 "$template" "$data" -o "$out/$name.png"
done

echo
echo "Report generati in $(cd "$out" && pwd):"
ls -1 "$out"
