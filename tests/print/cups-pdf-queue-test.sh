#!/usr/bin/env bash
# Prints for real through a spooler of our own: a private cupsd (its own
# configuration and socket, so a system spooler is left alone) with two
# cups-pdf queues, one that takes any sheet size and one with A4 only. Every
# printed file is checked with pdfinfo and pdftotext. Whatever stops the
# spooler from starting fails the test with the reason; nothing is skipped.
#
#   tests/print/cups-pdf-queue-test.sh [BUILD-FOLDER]
set -euo pipefail

build=$(realpath "${1:-build}")
zetview="$build/app/zetview"
started=$SECONDS

fail() {
  echo "FALLITO: $*" >&2
  exit 1
}
pass() { echo "ok: $*"; }

[ "$(id -u)" -eq 0 ] || fail "serve root: cupsd avvia il backend cups-pdf come root"
for tool in cupsd lpadmin lpstat pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || fail "manca $tool (make setup installa cups e poppler-utils)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "manca il backend cups-pdf (pacchetto printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -r "$ppd" ] || fail "manca $ppd"
[ -x "$zetview" ] || fail "compilare prima zetview_cli e zetview in $build"

work=$(mktemp -d /tmp/zetview-spooler.XXXXXX)
# The filters run as the spooler's own user and read the queues from here.
chmod 755 "$work"
# cups-pdf writes the jobs of root into root's ~/PDF, named after the job title.
out_dir="$(getent passwd root | cut -d: -f6)/PDF"
tag="zetprova$$"
cupsd_pid=""

stop_cupsd() {
  [ -n "$cupsd_pid" ] || return 0
  kill "$cupsd_pid" 2>/dev/null || true
  while kill -0 "$cupsd_pid" 2>/dev/null; do sleep 0.1; done
  cupsd_pid=""
}
cleanup() {
  stop_cupsd
  rm -rf "$work"
  rm -f "$out_dir/$tag"*
}
trap cleanup EXIT

# The host program is built as a host's own is: against an install.
host="$work/host/zetview_host_example"
{ cmake --install "$build" --prefix "$work/prefix" &&
  cmake -S "$(dirname "$0")/../../examples/host" -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" &&
  cmake --build "$work/host"; } >"$work/host.log" 2>&1 || fail "programma ospite: $(tail -20 "$work/host.log")"

# --- the spooler ------------------------------------------------------------
export XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$work/run"
mkdir -p "$work/etc" "$work/spool" "$work/cache" "$work/state" "$work/log"
cat >"$work/etc/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
EOF
cat >"$work/etc/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel warn
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
# Both queues make the copies a job asks the spooler for themselves (as a
# printer without a copy counter does), so copies made by the spooler would
# show in the file. The second one has no custom sizes and A4 as its only sheet.
sed '/^\*PCFileName/a *cupsManualCopies: True' "$ppd" >"$work/any.ppd"
awk '/^\*(VariablePaperSize|MaxMedia|ParamCustomPageSize|NonUIOrderDependency:.*CustomPageSize)/ { next }
     /^\*CustomPageSize True/ { skip = 1; next }
     skip && /^\*End/ { skip = 0; next }
     skip { next }
     /^\*(PageSize|PageRegion|ImageableArea|PaperDimension) / && !/^\*[A-Za-z]+ A4\// { next }
     { print }' "$work/any.ppd" >"$work/a4.ppd"

export CUPS_SERVER="$work/cups.sock"
# Reports read their per-report settings from here, printers' from there.
export XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/xdg"
setsid cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >"$work/cupsd.out" 2>&1 &
cupsd_pid=$!
for _ in $(seq 100); do
  lpstat -r 2>/dev/null | grep -q 'is running' && break
  kill -0 "$cupsd_pid" 2>/dev/null || fail "cupsd si è fermato: $(cat "$work/cupsd.out" "$work/log/error_log" 2>/dev/null)"
  sleep 0.1
done
lpstat -r 2>/dev/null | grep -q 'is running' || fail "cupsd non risponde dopo 10 s: $(cat "$work/log/error_log" 2>/dev/null)"
add_queue() {
  lpadmin -p "$1" -E -v cups-pdf:/ -P "$2" -o pdftops-renderer-default=pdftocairo 2>&1 |
    grep -v 'drivers are deprecated' || true
  lpstat -p "$1" >/dev/null 2>&1 || fail "la coda $1 non è stata creata: $(tail -3 "$work/log/error_log")"
}
add_queue ZetProva "$work/any.ppd"
add_queue ZetProvaA4 "$work/a4.ppd"
lpadmin -d ZetProva
pass "cupsd (pid $cupsd_pid) con le code ZetProva e ZetProvaA4"

# --- the reports --------------------------------------------------------------
# Two rows per page, two pages: "PRIMA ..." on page 1, "SECONDA ..." on page 2.
write_template() { # file width height body-height
  cat >"$1" <<EOF
<ZET><ZETVersion>1</ZETVersion><Nome>ProvaStampa</Nome>
<ZET_RecordsetStruct><RecordsetStruct0><RecordsetStructName0>Report</RecordsetStructName0><RecordsetStruct1><RecordsetStructName1>Riga</RecordsetStructName1><Field1><FieldName1>Testo</FieldName1></Field1></RecordsetStruct1></RecordsetStruct0></ZET_RecordsetStruct>
<Larghezza>$2</Larghezza><Altezza>$3</Altezza><MargineSuperiore>500</MargineSuperiore><MargineInferiore>500</MargineInferiore>
<CorpoDati>-1</CorpoDati><AltezzaCorpoDati>$4</AltezzaCorpoDati>
<zet_object><ZETe_ControlType>4</ZETe_ControlType><Sinistra>1000</Sinistra><Alto>2000</Alto><Larghezza>6000</Larghezza><Altezza>400</Altezza><FonteDati>Riga.[Testo]</FonteDati><Stampa>-1</Stampa></zet_object>
</ZET>
EOF
}
write_template "$work/ritratto.zet" 11906 16838 7000
write_template "$work/paesaggio.zet" 16838 11906 5000

# The data of one job: its title (the export file name) names the PDF.
data() { # title -> file
  cat >"$work/$1.xml" <<EOF
<NomeFileEsportazione>$tag-$1</NomeFileEsportazione><Report>
<Riga><Testo>PRIMA RIGA UNO</Testo></Riga><Riga><Testo>PRIMA RIGA DUE</Testo></Riga>
<Riga><Testo>SECONDA RIGA UNO</Testo></Riga><Riga><Testo>SECONDA RIGA DUE</Testo></Riga></Report>
EOF
  echo "$work/$1.xml"
}

# --- checks -------------------------------------------------------------------
wait_for_pdf() { # title -> path of the finished PDF
  local found
  for _ in $(seq 200); do
    found=$(compgen -G "$out_dir/$tag-$1*job_*.pdf" | head -1 || true)
    if [ -n "$found" ] && [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ]; then
      echo "$found"
      return
    fi
    sleep 0.1
  done
  fail "$1: nessun PDF in $out_dir dopo 20 s; lavori: $(lpstat -W all -o); $(tail -3 "$work/log/error_log")"
}

# check_pdf TITLE "W x H" FIRST-WORD-OF-EACH-SHEET...: page count, sheet size
# in points (as the sheet is seen, so a page turned by /Rotate counts turned,
# within a point) and each sheet's two rows.
check_pdf() {
  local title=$1 size=$2
  shift 2
  local pdf info pages width height rotation
  pdf=$(wait_for_pdf "$title")
  info=$(pdfinfo "$pdf")
  pages=$(awk '/^Pages:/ { print $2 }' <<<"$info")
  [ "$pages" = "$#" ] || fail "$title: $pages fogli invece di $#"
  read -r width height < <(awk '/^Page size:/ { print $3, $5 }' <<<"$info")
  rotation=$(awk '/^Page rot:/ { print $3 }' <<<"$info")
  if [ "${rotation:-0}" = 90 ] || [ "${rotation:-0}" = 270 ]; then read -r width height <<<"$height $width"; fi
  awk -v w="$width" -v h="$height" -v want="$size" 'BEGIN {
        split(want, s, " x "); exit !((w - s[1]) ^ 2 <= 1 && (h - s[2]) ^ 2 <= 1) }' ||
    fail "$title: foglio di $width x $height punti invece di $size"
  local sheet=1 text
  for first in "$@"; do
    text=$(pdftotext -f "$sheet" -l "$sheet" "$pdf" - | tr -s '\n' ' ')
    [[ "$text" == *"$first RIGA UNO"* && "$text" == *"$first RIGA DUE"* ]] || fail "$title: il foglio $sheet dice \"$text\", non le righe $first"
    sheet=$((sheet + 1))
  done
  echo "$pdf"
}

# --- the runs -----------------------------------------------------------------
listed=$("$zetview" printers) || fail "zetview printers: stato $?"
[ "$listed" = "$(printf 'ZetProva\t(predefinita)\nZetProvaA4')" ] || fail "zetview printers elenca: $listed"
pass "zetview printers"

"$zetview" print "$work/ritratto.zet" "$(data ritratto)" --copies 2 >/dev/null || fail "stampa verticale: stato $?"
check_pdf ritratto "595 x 842" PRIMA PRIMA SECONDA SECONDA >/dev/null
pass "verticale sulla predefinita, 2 copie non fascicolate: 1 1 2 2, A4"

"$zetview" print "$work/paesaggio.zet" "$(data paesaggio)" --printer ZetProva --copies 2 --collate >/dev/null ||
  fail "stampa orizzontale: stato $?"
check_pdf paesaggio "842 x 595" PRIMA SECONDA PRIMA SECONDA >/dev/null
pass "orizzontale con formato libero, 2 copie fascicolate: 1 2 1 2, A4 orizzontale"

# Without custom sizes the wide page goes on A4 turned: an upright sheet whose
# text runs up the page.
"$zetview" print "$work/paesaggio.zet" "$(data a4)" --printer ZetProvaA >/dev/null || fail "stampa su A4: stato $?"
pdf=$(check_pdf a4 "595 x 842" PRIMA SECONDA)
pdftotext -f 1 -l 1 -bbox "$pdf" - | awk -F'"' '/>PRIMA</ { found = 1; across += $6 - $2; along += $8 - $4 }
    END { exit !(found && along > across) }' ||
  fail "a4: il testo non è girato con il foglio"
pass "orizzontale su una coda solo A4: A4 girato"

# The report's association chooses the printer and the copies.
"$zetview" settings set --user ProvaStampa "<NomeStampante>ZetProvaA</NomeStampante><Copie>3</Copie>"
"$zetview" print "$work/ritratto.zet" "$(data associata)" --pages 2-2 >/dev/null || fail "stampa associata: stato $?"
check_pdf associata "595 x 842" SECONDA SECONDA SECONDA >/dev/null
pass "associazione NomeStampante e Copie, solo pagina 2"

# The control's request without a dialog, as a host program makes it.
"$zetview" settings set --user ProvaStampa "<NomeStampante>ZetProva</NomeStampante><NoDialog>1</NoDialog><Copie>1</Copie>"
QT_QPA_PLATFORM=offscreen "$host" "$work/ritratto.zet" "$(data ospite)" --stampa >"$work/host.out" ||
  fail "programma ospite: stato $? $(cat "$work/host.out")"
grep -q "PRIMA RIGA UNO" "$work/host.out" || fail "programma ospite: i dati non tornano dopo la stampa: $(cat "$work/host.out")"
check_pdf ospite "595 x 842" PRIMA SECONDA >/dev/null
pass "PrintDirectWithoutDialog con NoDialog 1"
"$zetview" settings delete --user ProvaStampa

write_template "$work/grande.zet" 20000 30000 7000
status=0
"$zetview" print "$work/grande.zet" "$(data grande)" --printer ZetProvaA4 2>"$work/err" || status=$?
[ "$status" = 3 ] && grep -q 'non è possibile impostare le dimensioni del foglio' "$work/err" ||
  fail "foglio troppo piccolo: stato $status, messaggio $(cat "$work/err")"
pass "pagina più grande di ogni foglio: stato 3 e il messaggio del formato"

status=0
"$zetview" print "$work/ritratto.zet" "$(data assente)" --printer Nessuna 2>"$work/err" || status=$?
[ "$status" = 3 ] && grep -q 'nessuna stampante il cui nome inizi con "Nessuna"' "$work/err" ||
  fail "stampante assente: stato $status, messaggio $(cat "$work/err")"
pass "stampante assente: stato 3 e messaggio"

stop_cupsd
status=0
"$zetview" print "$work/ritratto.zet" "$(data fermo)" --printer ZetProva 2>"$work/err" || status=$?
[ "$status" = 3 ] && grep -q 'il servizio di stampa non risponde' "$work/err" ||
  fail "servizio fermo: stato $status, messaggio $(cat "$work/err")"
pass "servizio di stampa fermo: stato 3 e messaggio"

echo "stampa reale: tutto a posto in $((SECONDS - started)) s"
