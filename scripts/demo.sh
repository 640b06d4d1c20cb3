#!/usr/bin/env bash
# Renders every sample report in examples/ to out/: one PDF per report, one
# PNG per page, an HTML page set to open in a browser and the data as XML. Usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
zetview_program="$build/app/zetview"
# Day and month names follow the locale; the samples are Italian reports, so
# draw them with the Italian names (ZETVIEW_DEMO_LOCALE picks another).
report_locale=${ZETVIEW_DEMO_LOCALE:-it_IT.UTF-8}
zetview() { LC_ALL="$report_locale" "$zetview_program" "$@"; }
out=out
mkdir -p "$out"

for template in examples/*.zet; do
  name=$(basename "$template" .zet)
  data="examples/$name.xml"
  [ -f "$data" ] || continue
  echo "== $name"
  zetview info "$template" "$data"
  zetview export --format pdf "$template" "$data" -o "$out/$name.pdf"
  zetview export --format png --dpi 96 "$template" "$data" -o "$out/$name.png"
  zetview export --format html "$template" "$data" -o "$out/$name.htm"
  zetview export --format xml "$template" "$data" -o "$out/$name.xml"
done

echo
echo "Report generati in $(cd "$out" && pwd):"
ls -1 "$out" | grep -v "_file$"
