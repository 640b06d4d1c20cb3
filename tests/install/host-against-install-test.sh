#!/usr/bin/env bash
# The component as a host program gets it: installed with `cmake --install`
# into a temporary prefix, and as the Debian package unpacked with `dpkg -x`
# into a temporary root. examples/host is built on its own against each (the
# CMake package), once more with a one-line g++ through pkg-config, and run
# offscreen on a sample; every PDF is checked with pdfinfo and pdftotext. The
# build folder must hold zetview and zetview_cli already. Whatever fails ends
# the test with the reason; nothing is skipped.
#
#   tests/install/host-against-install-test.sh [BUILD-FOLDER]
set -euo pipefail

src=$(realpath "$(dirname "$0")/../..")
build=$(realpath "${1:-build}")
started=$SECONDS

fail() {
  echo "FALLITO: $*" >&2
  exit 1
}
pass() { echo "ok: $*"; }

for tool in cmake cpack dpkg-deb pkg-config g++ nm readelf ldd pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || fail "manca $tool (make setup lo installa)"
done
work=$(mktemp -d /tmp/zetview-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
# Paths inside the temporary folder are hashed relative to it, so the host
# builds of one run come from the compiler cache in the next.
export CCACHE_BASEDIR="$work"
launcher=$(command -v ccache || true)

# run_host LABEL PROGRAM LIBDIR: the program links libzetview from LIBDIR,
# raises DebugEvent and writes the five pages of the warehouse register.
run_host() {
  local label=$1 program=$2 libdir=$3 pdf="$work/$1.pdf"
  local linked
  linked=$(ldd "$program" | grep libzetview) || fail "$label: non collegato a libzetview"
  [[ "$linked" == *"=> $libdir/libzetview.so.1 "* ]] || fail "$label: libzetview non viene da $libdir: $linked"
  "$program" "$src/examples/registro.zet" "$src/examples/registro.xml" "$pdf" >"$work/$label.out" 2>&1 ||
    fail "$label: stato $? $(cat "$work/$label.out")"
  grep -q '^CreaReport=' "$work/$label.out" || fail "$label: nessun DebugEvent: $(cat "$work/$label.out")"
  local pages
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
  [ "$pages" = 5 ] || fail "$label: $pages pagine invece di 5"
  [[ "$(pdftotext "$pdf" -)" == *'Magazzino centrale - Udine'* ]] || fail "$label: il testo del registro manca nel PDF"
  pass "$label: DebugEvent e un PDF di 5 pagine"
}

# build_host LABEL PREFIX: examples/host through find_package(ZETView 1.0).
build_host() {
  { cmake -S "$src/examples/host" -B "$work/$1" -G Ninja -DCMAKE_PREFIX_PATH="$2" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" &&
    cmake --build "$work/$1"; } >"$work/$1.log" 2>&1 || fail "$1: compilazione: $(tail -20 "$work/$1.log")"
  run_host "$1" "$work/$1/zetview_host_example" "$2/lib"
}

# --- cmake --install ------------------------------------------------------
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install: stato $?"
soname=$(readelf -d "$prefix/lib/libzetview.so.1.0.0" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')
[ "$soname" = libzetview.so.1 ] && [ "$(readlink "$prefix/lib/libzetview.so")" = libzetview.so.1 ] ||
  fail "libreria: SONAME \"$soname\", collegamenti $(ls -l "$prefix/lib" | grep libzetview)"
headers=$(cd "$prefix/include" && find . -type f | sort | tr '\n' ' ')
[ "$headers" = "./zetview/Error.h ./zetview/ZETView.h " ] || fail "intestazioni installate: $headers"
! grep -q 'namespace zet' "$prefix/include/zetview/ZETView.h" || fail "ZETView.h mostra tipi interni di zet"
exports=$(nm -DC --defined-only "$prefix/lib/libzetview.so.1")
inner=$(grep -e ' zet::' -e 'ZETView::Private' <<<"$exports" | grep -v 'zet::Error\b') &&
  fail "la libreria esporta simboli interni: $(head -5 <<<"$inner")"
# Every member the public header declares is exported (cmake/zetview.map).
for member in $(sed -n '/^public:/,/^private:/p' "$prefix/include/zetview/ZETView.h" | grep -v '^\s*//' |
  grep -oP '(?<!= )~?\b[A-Za-z_]+(?=\()' | sort -u); do
  grep -qF " ZETView::$member(" <<<"$exports" || fail "la libreria non esporta ZETView::$member"
done
[ "$("$prefix/bin/zetview" --version)" = "zetview 1.0.0" ] || fail "zetview --version: $("$prefix/bin/zetview" --version)"
for file in embedding.md fattura-pagina-1.png examples/fattura.zet examples/fattura.xml examples/host/main.cpp; do
  [ -s "$prefix/share/doc/zetview/$file" ] || fail "manca share/doc/zetview/$file"
done
pass "installazione: libzetview.so.1, due intestazioni, zetview, guida ed esempi"
build_host prefisso "$prefix"

# --- the Debian package -----------------------------------------------------
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(compgen -G "$work/deb/zetview_1.0.0_*.deb") || fail "cpack non ha scritto zetview_1.0.0_*.deb"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 fonts-liberation2 fonts-dejavu-core; do
  [[ ", $depends" == *", $package"* ]] || fail "il pacchetto non dipende da $package: $depends"
done
dpkg -x "$deb" "$work/root"
pass "pacchetto $(basename "$deb"): dipende da Qt 6 e dai caratteri"
build_host pacchetto "$work/root/usr"

# A host outside CMake: one g++ line with the flags from zetview.pc.
export PKG_CONFIG_PATH="$work/root/usr/lib/pkgconfig"
# shellcheck disable=SC2046
g++ "$src/examples/host/main.cpp" -o "$work/pkgconfig-host" $(pkg-config --cflags --libs zetview) 2>"$work/g++.log" ||
  fail "g++ con pkg-config: $(tail -20 "$work/g++.log")"
LD_LIBRARY_PATH="$work/root/usr/lib" run_host pkg-config "$work/pkgconfig-host" "$work/root/usr/lib"
# A zet::Error thrown inside the library reaches the host's catch.
printf '<ZET><ZETVersion>2</ZETVersion><Altezza>16838</Altezza><Larghezza>11906</Larghezza></ZET>' >"$work/v2.zet"
status=0
LD_LIBRARY_PATH="$work/root/usr/lib" "$work/pkgconfig-host" "$work/v2.zet" /dev/null "$work/v2.pdf" >"$work/v2.out" 2>&1 ||
  status=$?
[ "$status" = 1 ] && grep -q '^errore 1001: ' "$work/v2.out" || fail "errore dalla libreria: stato $status, $(cat "$work/v2.out")"
pass "pkg-config: zet::Error 1001 arriva al programma ospite"

echo "installazione e pacchetto: tutto a posto in $((SECONDS - started)) s"
