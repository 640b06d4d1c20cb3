#!/usr/bin/env bash
# xmllint-valid.sh ZETVIEW SOURCE_DIR: the XML export of every sample report,
# and every golden XML file, must be valid against its own document type
# declaration. A missing xmllint is a failure, not a skip.
set -u
shopt -s nullglob
zetview=$1
source_dir=$2
if ! command -v xmllint >/dev/null; then
  echo "xmllint non trovato: installare libxml2-utils (scripts/setup.sh)" >&2
  exit 1
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
count=0
for template in "$source_dir"/examples/*.zet; do
  name=$(basename "$template" .zet)
  data="$source_dir/examples/$name.xml"
  [ -f "$data" ] || continue
  count=$((count + 1))
  if ! QT_QPA_PLATFORM=offscreen "$zetview" export --format xml "$template" "$data" -o "$out/$name.xml"; then
    echo "$name: esportazione XML non riuscita" >&2
    failed=1
  elif ! xmllint --valid --noout "$out/$name.xml"; then
    echo "$name: XML esportato non valido" >&2
    failed=1
  fi
done
for golden in "$source_dir"/tests/export/golden/*.xml; do
  count=$((count + 1))
  xmllint --valid --noout "$golden" || { echo "$golden: non valido" >&2; failed=1; }
done
if [ "$count" -lt 4 ]; then
  echo "troppo pochi file controllati ($count): mancano i campioni o i file di riferimento" >&2
  exit 1
fi
exit $failed
