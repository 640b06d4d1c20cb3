#!/usr/bin/env bash
# The HTML page sets of the samples, opened in headless Chromium: a text span
# lands where its page file places it, escaped texts come back unchanged from
# the DOM, and the navigator's buttons page through every sample.
# Usage: html-in-chromium-test.sh [BUILD]; ZET_HTML_SCREENSHOT=file.png also
# saves the fattura sample's first page as seen in the frameset.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$root/$build
zetview=$build/app/zetview

fail() { echo "html-in-chromium: $*" >&2; exit 1; }
command -v chromium >/dev/null || fail "chromium non è installato (scripts/setup.sh lo installa)"
command -v python3 >/dev/null || fail "python3 non è installato"
[ -x "$zetview" ] || fail "manca $zetview (cmake --build $build --target zetview_cli)"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Root needs --no-sandbox; a profile of its own keeps runs apart.
browser() {
  timeout 60 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$out/profile" "$@" 2>"$out/chromium.err" || fail "chromium: $(tail -3 "$out/chromium.err")"
}
export QT_QPA_PLATFORM=offscreen

# Every sample, and the fattura with a client named with "&", "<" and ">".
sed 's/Bianchi & Figli S\.r\.l\./Bianchi \& Figli <S.r.l.>/' "$root/examples/fattura.xml" >"$out/segni.xml"
samples=(fattura elenco registro segni)
for name in "${samples[@]}"; do
  data=$root/examples/$name.xml template=$root/examples/$name.zet
  [ "$name" = segni ] && data=$out/segni.xml template=$root/examples/fattura.zet
  mkdir "$out/$name"
  # Dates in the pages in Italian, as the user sees them.
  LC_ALL=it_IT.UTF-8 "$zetview" export --format html "$template" "$data" -o "$out/$name/$name.htm" || fail "export di $name non riuscito"
done

# (a) The span of "Rossi Meccanica S.p.A." shows dark text inside its
# rectangle, where its band's picture is light, on a sheet that is not blank.
browser --screenshot="$out/page.png" --window-size=860,400 "file://$out/fattura/fattura_file/1.htm" >/dev/null
python3 - "$out/page.png" "$out/fattura/fattura_file" "Rossi Meccanica S.p.A." <<'PY' || fail "(a) testo non al suo posto"
import re, struct, sys, zlib
shot, folder, text = sys.argv[1:]

def png(path):
    data, pos, idat = open(path, 'rb').read(), 8, b''
    while pos < len(data):
        size, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + size]
        pos += 12 + size
        if kind == b'IHDR':
            width, height, _, colour = struct.unpack('>IIBB', body[:10])
        elif kind == b'IDAT':
            idat += body
    step, raw, rows, i = {2: 3, 6: 4}[colour], zlib.decompress(idat), [], 0
    prev = bytearray(width * step)
    for _ in range(height):
        kind, line = raw[i], bytearray(raw[i + 1:i + 1 + width * step])
        i += 1 + width * step
        for x in range(len(line) if kind else 0):
            a = line[x - step] if x >= step else 0
            b, c = prev[x], prev[x - step] if x >= step else 0
            if kind == 4:
                p = a + b - c
                a = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[x] = (line[x] + (a, b, (a + b) // 2, a)[kind - 1]) & 255
        rows.append(line)
        prev = line
    return lambda x, y: tuple(rows[y][x * step:x * step + 3])

def bmp(path):
    data = open(path, 'rb').read()
    start, width, height = struct.unpack('<I', data[10:14])[0], *struct.unpack('<ii', data[18:26])
    stride = (width * 3 + 3) & ~3
    return lambda x, y: tuple(reversed(data[start + (height - 1 - y) * stride + x * 3:][:3]))

page = open(folder + '/1.htm', encoding='utf-8').read()
span = re.search(r"LEFT:(\d+)px; TOP:(\d+)px; HEIGHT:(\d+)px; WIDTH:(\d+)px; '> " + re.escape(text) + '</SPAN>', page)
left, top, height, width = map(int, span.groups())
band, band_top = max((m.group(1), int(m.group(2))) for m in re.finditer(r"src='section(\d+)\.bmp' style='[^']*TOP:(\d+)px", page) if int(m.group(2)) <= top)
screen, picture = png(shot), bmp(f'{folder}/section{band}.bmp')
dark = lambda rgb: sum(rgb) < 3 * 110
box = [(x, y) for x in range(left, left + width) for y in range(top, top + height)]
shown = sum(dark(screen(x, y)) for x, y in box)
drawn = sum(dark(picture(x - 20, y - band_top)) for x, y in box)
sheet = {screen(x, y) for x in range(0, 860, 7) for y in range(0, 400, 7)}
print(f'(a) {shown} pixel scuri nel riquadro di "{text}" ({left},{top} {width}x{height}), {drawn} nella banda; {len(sheet)} colori')
sys.exit(0 if shown > 20 and drawn == 0 and (255, 255, 255) in sheet and (0x70, 0x70, 0x70) in sheet and len(sheet) > 10 else 1)
PY

# (b) Texts with "&", "<" and ">" come back unchanged from the DOM.
browser --dump-dom "file://$out/segni/segni_file/1.htm" >"$out/dom.htm"
python3 - "$out/dom.htm" <<'PY' || fail "(b) testo con & e < cambiato nel DOM"
import html.parser, sys
class Spans(html.parser.HTMLParser):
    texts, inside = [], False
    def handle_starttag(self, tag, attrs): self.inside = tag == 'span'
    def handle_endtag(self, tag): self.inside = False
    def handle_data(self, data):
        if self.inside: self.texts.append(data)
spans = Spans(convert_charrefs=True)
spans.feed(open(sys.argv[1], encoding='utf-8').read())
print('(b) testi letti dal DOM:', [t for t in spans.texts if 'Bianchi' in t])
sys.exit(0 if ' Bianchi & Figli <S.r.l.>' in spans.texts and ' Piazza Libertà 9, 34121 Trieste' in spans.texts else 1)
PY

# (c) Each sample's frameset in a frame of a harness page that presses
# Successivo once per page and then Precedente as often, and writes down the
# page file the view shows and whether each button is disabled.
pages=()
for name in "${samples[@]}"; do pages+=("$(ls "$out/$name/${name}_file/" | grep -c '^[0-9]*\.htm$')"); done
cat >"$out/harness.htm" <<HTML
<html><body><pre id='log'></pre><script>
const samples = '${samples[*]}'.split(' ');
const pages = '${pages[*]}'.split(' ').map(Number);
const log = document.getElementById('log');
const frames = samples.map(name => {
  const frame = document.createElement('iframe');
  frame.src = name + '/' + name + '.htm';
  document.body.appendChild(frame);
  return frame;
});
const nav = f => f.contentWindow.frames[0].document;
const state = f => f.contentWindow.frames['view'].location.href.split('/').pop()
  + (nav(f).getElementById('button1').disabled ? ' -' : ' P') + (nav(f).getElementById('button2').disabled ? '-' : 'S');
function run(step) {
  frames.forEach((f, s) => {
    if (step > 0) nav(f).getElementById(step <= pages[s] ? 'button2' : 'button1').click();
  });
  setTimeout(() => {
    frames.forEach((f, s) => { if (step <= 2 * pages[s]) log.textContent += samples[s] + ' ' + step + ' ' + state(f) + '\n'; });
    if (step < 2 * Math.max(...pages)) run(step + 1); else log.setAttribute('data-done', 'si');
  }, 300);
}
window.onload = () => setTimeout(() => run(0), 500);
</script></body></html>
HTML
browser --allow-file-access-from-files --virtual-time-budget=60000 --dump-dom "file://$out/harness.htm" >"$out/harness-dom.htm"
python3 - "$out/harness-dom.htm" "${samples[*]}" "${pages[*]}" <<'PY' || fail "(c) il navigatore non sfoglia le pagine"
import re, sys
dom, samples, pages = open(sys.argv[1]).read(), sys.argv[2].split(), list(map(int, sys.argv[3].split()))
seen = re.search(r"<pre id=\"log\" data-done=\"si\">(.*?)</pre>", dom, re.S)
seen = seen.group(1).split('\n') if seen else []
expected = []
for name, count in zip(samples, pages):
    shown = [1] + [min(s, count) for s in range(2, count + 2)] + [max(count - s, 1) for s in range(1, count + 1)]
    expected += [f"{name} {step} {page}.htm {'-' if page == 1 else 'P'}{'-' if page == count else 'S'}" for step, page in enumerate(shown)]
missing = [line for line in expected if line not in seen]
print(f'(c) {len(expected) - len(missing)} di {len(expected)} stati del navigatore come attesi', *missing[:5], sep='\n')
sys.exit(0 if not missing and len(seen) - 1 == len(expected) else 1)
PY

if [ -n "${ZET_HTML_SCREENSHOT:-}" ]; then
  browser --screenshot="$ZET_HTML_SCREENSHOT" --window-size=860,1200 --virtual-time-budget=3000 \
    "file://$out/fattura/fattura.htm" >/dev/null
fi
echo "html-in-chromium: ok (${samples[*]}: ${pages[*]} pagine)"
