#!/usr/bin/env python3
"""Writes the sample report templates and data under examples/.

Templates are normally made by a designer program; this script writes them by
hand from a short description, computing the designer positions ("Alto") of
the objects from the band they belong to. Run it after changing a sample:

    python3 scripts/make_examples.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")

BANDS = ["InizioPagina", "InizioReport", "InizioGruppoDati", "InizioDati", "CorpoDati",
         "FineDati", "FineGruppoDati", "FineReport", "FinePagina"]
BREAK_KEYS = {"InizioReport", "InizioGruppoDati", "InizioDati", "CorpoDati", "FineDati",
              "FineGruppoDati", "FineReport"}
NEWPAGE_KEYS = {"InizioGruppoDati", "InizioDati", "CorpoDati", "FineDati", "FineGruppoDati"}
REPEAT_KEYS = {"CorpoDati": "ReplicaCorpoDati", "FineDati": "ReplicafineDati"}

BLACK, WHITE = 0, 0xFFFFFF


def rgb(r, g, b):
    # Colours hold red in the low byte.
    return r | (g << 8) | (b << 16)


NAVY = rgb(31, 56, 100)
LIGHT = rgb(226, 234, 246)
GREY = rgb(110, 110, 110)
ORANGE = rgb(230, 140, 30)


def design_tops(page, bands):
    """Designer tops of the eleven band slots: bands stacked with strips."""
    tops = {}
    d = 0
    slots = ["top"] + BANDS + ["bottom"]
    heights = {"top": page["MargineSuperiore"], "bottom": page["MargineInferiore"]}
    for name in BANDS:
        if name in bands:
            heights[name] = bands[name]["h"]
    for slot in slots:
        tops[slot] = d
        if slot in heights:
            d += heights[slot] + (225 if slot == "top" else 60 if slot == "bottom" else 285)
        else:
            d += 285
    return tops


def font(name="Arial", size=10, bold=False, italic=False):
    return ("<Font><Name>%s</Name><Size>%s</Size><Bold>%s</Bold><Italic>%s</Italic></Font>"
            % (name, size, "-1" if bold else "0", "-1" if italic else "0"))


def obj(band, ctype, left, top, width, height, **keys):
    return dict(band=band, ctype=ctype, left=left, top=top, width=width, height=height, keys=keys)


def text(band, left, top, width, height, value, align=0, size=10, bold=False, colour=BLACK,
         source="", back=WHITE, transparent=True, border=False, name="Arial", italic=False):
    return obj(band, 5, left, top, width, height, Valore=value, Allineamento=align,
               ColoreTesto=colour, ColoreSfondo=back, SfondoTrasparente=-1 if transparent else 0,
               Bordo=-1 if border else 0, FonteDati=source or "[NULL]",
               Font=font(name, size, bold, italic))


def field(band, left, top, width, height, source, align=0, size=10, bold=False, back=LIGHT,
          colour=BLACK):
    return obj(band, 4, left, top, width, height, Allineamento=align, ColoreTesto=colour,
               ColoreSfondo=back, FonteDati=source, Font=font("Arial", size, bold))


def shape(band, left, top, width, height, style, colour=BLACK, back=WHITE, border=True,
          transparent=True):
    return obj(band, 6, left, top, width, height, Stile=style, ColoreBordo=colour,
               ColoreSfondo=back, Bordo=-1 if border else 0,
               SfondoTrasparente=-1 if transparent else 0)


def picture(band, left, top, width, height, image):
    return obj(band, 2, left, top, width, height, Immagine=image, AdattaAImmagine=-1)


def write_template(path, name, page, structure, bands, objects, images=()):
    tops = design_tops(page, bands)
    parts = ["<ZET>", "<ZETVersion>1</ZETVersion>", "<Nome>%s</Nome>" % name]
    for key, value in page.items():
        parts.append("<%s>%s</%s>" % (key, value, key))
    parts.append("<ZET_RecordsetStruct>%s</ZET_RecordsetStruct>" % structure)
    for band in BANDS:
        band_def = bands.get(band)
        parts.append("<%s>%s</%s>" % (band, "-1" if band_def else "0", band))
        if not band_def:
            continue
        parts.append("<Altezza%s>%d</Altezza%s>" % (band, band_def["h"], band))
        if band in BREAK_KEYS:
            parts.append("<Interruzione%s>%d</Interruzione%s>" % (band, band_def.get("break", 0), band))
        if band in NEWPAGE_KEYS:
            parts.append("<NuovaPagina%s>%d</NuovaPagina%s>" % (band, band_def.get("newpage", 0), band))
        if band in REPEAT_KEYS:
            key = REPEAT_KEYS[band]
            parts.append("<%s>%d</%s>" % (key, band_def.get("repeat", 0), key))
    for i, o in enumerate(objects):
        keys = dict(o["keys"])
        body = ["<ZETe_ControlType>%d</ZETe_ControlType>" % o["ctype"],
                "<Nome>%s%d</Nome>" % (o["band"], i),
                "<Sinistra>%d</Sinistra>" % o["left"],
                "<Alto>%d</Alto>" % (tops[o["band"]] + o["top"]),
                "<Larghezza>%d</Larghezza>" % o["width"],
                "<Altezza>%d</Altezza>" % o["height"],
                "<ZOrder>%d</ZOrder>" % i,
                "<Stampa>-1</Stampa>"]
        for key, value in keys.items():
            body.append("<%s>%s</%s>" % (key, value, key))
        parts.append("<zet_object>%s</zet_object>" % "".join(body))
    for image_id, data in images:
        parts.append("<zet_imagelist><Image-ID>%s</Image-ID><Image-File>%s</Image-File></zet_imagelist>"
                     % (image_id, data.decode("latin-1")))
    parts.append("</ZET>")
    text_out = "\n".join(parts) + "\n"
    # Raw picture bytes ride along one character per byte: the file is Latin-1.
    with open(path, "w", encoding="latin-1", newline="\n") as f:
        f.write(text_out)


FONT5x7 = {
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    " ": ["00000"] * 7,
}


def logo_bmp(width=192, height=64):
    """A 24-bit BMP logo: a navy badge with an orange band and lettering."""
    pixels = [[(255, 255, 255)] * width for _ in range(height)]
    for y in range(4, height - 4):
        for x in range(4, 60):
            pixels[y][x] = (100, 56, 31)  # navy (B, G, R)
    for y in range(40, 48):
        for x in range(4, width - 4):
            pixels[y][x] = (30, 140, 230)  # orange
    def letters(word, x0, y0, scale, colour):
        x = x0
        for ch in word:
            glyph = FONT5x7[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                pixels[y0 + gy * scale + dy][x + gx * scale + dx] = colour
            x += 6 * scale
    letters("ZET", 8, 12, 3, (255, 255, 255))
    letters("FORNITURE", 66, 14, 2, (100, 56, 31))
    row_bytes = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for b, g, r in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    ppm = 3780  # 96 dpi
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), ppm, ppm, 0, 0)
    return header + info + bytes(data)


A4 = dict(Altezza=16838, Larghezza=11906, MargineSuperiore=567, MargineInferiore=567,
          MargineSinistro=850, MargineDestro=850, Griglia=57, VisualizzaMargini=-1)


def invoice():
    structure = ("<RecordsetStruct0><RecordsetStructName0>Report</RecordsetStructName0>"
                 "<RecordsetStruct1><RecordsetStructName1>Cliente</RecordsetStructName1>"
                 + "".join("<Field1><FieldName1>%s</FieldName1></Field1>" % f
                           for f in ("RagioneSociale", "Indirizzo", "PartitaIVA", "TotaleCliente"))
                 + "<RecordsetStruct2><RecordsetStructName2>Fattura</RecordsetStructName2>"
                 + "".join("<Field2><FieldName2>%s</FieldName2></Field2>" % f
                           for f in ("Intestazione", "Imponibile", "IVA", "Totale"))
                 + "<RecordsetStruct3><RecordsetStructName3>Riga</RecordsetStructName3>"
                 + "".join("<Field3><FieldName3>%s</FieldName3></Field3>" % f
                           for f in ("Articolo", "Quantita", "Prezzo", "Importo"))
                 + "</RecordsetStruct3></RecordsetStruct2></RecordsetStruct1></RecordsetStruct0>")
    bands = {
        "InizioPagina": dict(h=700),
        "InizioReport": dict(h=1500),
        "InizioGruppoDati": dict(h=1000, newpage=2),
        "InizioDati": dict(h=900),
        "CorpoDati": dict(h=320),
        "FineDati": dict(h=900),
        "FineGruppoDati": dict(h=600),
        "FineReport": dict(h=900),
        "FinePagina": dict(h=500),
    }
    L, W = 850, 11906 - 1700
    cols = [(L, 4800, "Articolo", 0), (L + 4850, 1200, "Quantita", 1), (L + 6100, 1950, "Prezzo", 1),
            (L + 8100, 2106, "Importo", 1)]
    heads = ["Articolo", "Q.tà", "Prezzo unitario", "Importo"]
    objects = [
        text("InizioPagina", L, 100, 6000, 300, "ZET Forniture S.r.l. - Via dei Mille 12, Udine", size=9,
             colour=GREY),
        text("InizioPagina", L + W - 4000, 100, 4000, 300, "[SYS]", align=1, size=9, colour=GREY,
             source="[SYS]"),
        shape("InizioPagina", L, 500, W, 20, 0, colour=GREY),
        picture("InizioReport", L, 100, 2880, 960, "logo"),
        text("InizioReport", L + 3400, 150, W - 3400, 500, "Fatture del mese", align=1, size=20, bold=True,
             colour=NAVY),
        text("InizioReport", L + 3400, 750, W - 3400, 300, "Documento riepilogativo per cliente", align=1,
             size=10, colour=GREY, italic=True),
        shape("InizioReport", L, 1250, W, 40, 0, colour=ORANGE),
        shape("InizioGruppoDati", L, 80, W, 820, 4, colour=NAVY, back=LIGHT, transparent=False),
        text("InizioGruppoDati", L + 150, 130, 1500, 300, "Cliente", size=9, colour=GREY),
        text("InizioGruppoDati", L + 1700, 120, 6000, 320, "", size=12, bold=True, colour=NAVY,
             source="Cliente.[RagioneSociale]"),
        text("InizioGruppoDati", L + 1700, 480, 6000, 300, "", size=9, source="Cliente.[Indirizzo]"),
        text("InizioGruppoDati", L + 7800, 480, 2300, 300, "", align=1, size=9,
             source="Cliente.[PartitaIVA]"),
        text("InizioDati", L, 100, 6000, 300, "", size=10, bold=True, source="Fattura.[Intestazione]"),
        shape("InizioDati", L, 520, W, 330, 4, colour=NAVY, back=NAVY, transparent=False),
    ]
    for (left, width, _, align), head in zip(cols, heads):
        objects.append(text("InizioDati", left + 60, 560, width - 120, 280, head, align=align, size=9,
                            bold=True, colour=WHITE))
    for left, width, fieldname, align in cols:
        objects.append(field("CorpoDati", left, 20, width - 40, 280, "Riga.[%s]" % fieldname, align=align,
                             size=9))
    objects += [
        shape("FineDati", L + 6100, 60, W - 6100, 20, 0, colour=NAVY),
        text("FineDati", L + 6100, 120, 1950, 260, "Imponibile", align=1, size=9),
        text("FineDati", L + 8100, 120, 2046, 260, "", align=1, size=9, source="Fattura.[Imponibile]"),
        text("FineDati", L + 6100, 380, 1950, 260, "IVA 22%", align=1, size=9),
        text("FineDati", L + 8100, 380, 2046, 260, "", align=1, size=9, source="Fattura.[IVA]"),
        text("FineDati", L + 6100, 620, 1950, 260, "Totale fattura", align=1, size=9, bold=True),
        text("FineDati", L + 8100, 620, 2046, 260, "", align=1, size=9, bold=True, source="Fattura.[Totale]"),
        shape("FineGruppoDati", L, 80, W, 420, 4, colour=ORANGE, back=WHITE, transparent=True),
        text("FineGruppoDati", L + 150, 150, 5000, 300, "Totale fatturato al cliente", size=10, bold=True,
             colour=NAVY),
        text("FineGruppoDati", L + 7000, 150, 3100, 300, "", align=1, size=10, bold=True, colour=NAVY,
             source="Cliente.[TotaleCliente]"),
        shape("FineReport", L, 150, W, 600, 4, colour=GREY),
        text("FineReport", L + 150, 230, W - 300, 260,
             "Pagamento a 30 giorni data fattura mediante bonifico bancario.", size=9, italic=True),
        text("FineReport", L + 150, 480, W - 300, 260, "Grazie per averci scelto.", size=9, italic=True),
        shape("FinePagina", L, 60, W, 20, 0, colour=GREY),
        text("FinePagina", L, 160, W, 280, "Pagina [&p] di [&P]", align=2, size=9, colour=GREY,
             source="[SYS]"),
    ]
    # The page header's date: a [SYS] object whose text is a date placeholder.
    objects[1]["keys"]["Valore"] = "Udine, [&ddddd d mmmm yyyy]"
    write_template(os.path.join(OUT, "fattura.zet"), "Fattura", A4, structure, bands, objects,
                   [("logo", logo_bmp())])


def euro(cents):
    whole, frac = divmod(cents, 100)
    digits = "{:,}".format(whole).replace(",", ".")
    return "%s,%02d" % (digits, frac)


CUSTOMERS = [
    ("Rossi Meccanica S.p.A.", "Via Roma 4, 33100 Udine", "IT01234560301"),
    ("Bianchi & Figli S.r.l.", "Piazza Libertà 9, 34121 Trieste", "IT09876540329"),
    ("Verdi Costruzioni S.n.c.", "Viale Venezia 120, 33170 Pordenone", "IT04567890938"),
]
ARTICLES = [("Viti autofilettanti 4x30 (conf. 200)", 1250), ("Bulloni M8 zincati (conf. 50)", 890),
            ("Tasselli nylon 8 mm (conf. 100)", 640), ("Rondelle piane M10 (conf. 100)", 420),
            ("Staffe angolari 60x60", 215), ("Cerniere inox 80 mm", 730), ("Guarnizioni EPDM (m)", 185),
            ("Silicone trasparente 310 ml", 560), ("Nastro telato 50 mm", 395), ("Colla epossidica bicomponente", 1120)]


def invoice_data():
    parts = ["<NomeFileEsportazione>fatture-dicembre</NomeFileEsportazione>", "<Report>"]
    number = 101
    for c, (name, address, vat) in enumerate(CUSTOMERS):
        customer_total = 0
        invoices = []
        for i in range(2 if c != 1 else 3):
            rows = []
            net = 0
            for r in range(4 + (c * 3 + i * 5) % 9):
                article, price = ARTICLES[(c * 7 + i * 3 + r) % len(ARTICLES)]
                qty = 1 + (c + r * 3 + i) % 12
                amount = qty * price
                net += amount
                rows.append("<Riga><Articolo>%s</Articolo><Quantita>%d</Quantita><Prezzo>%s</Prezzo>"
                            "<Importo>%s</Importo></Riga>" % (article, qty, euro(price), euro(amount)))
            vat_amount = (net * 22 + 50) // 100
            total = net + vat_amount
            customer_total += total
            invoices.append("<Fattura><Intestazione>Fattura n. %d/2026 del %02d/12/2026</Intestazione><Imponibile>%s</Imponibile>"
                            "<IVA>%s</IVA><Totale>%s</Totale>%s</Fattura>"
                            % (number, 1 + (number * 7) % 28, euro(net), euro(vat_amount), euro(total), "".join(rows)))
            number += 1
        parts.append("<Cliente><RagioneSociale>%s</RagioneSociale><Indirizzo>%s</Indirizzo>"
                     "<PartitaIVA>P.IVA %s</PartitaIVA><TotaleCliente>%s</TotaleCliente>%s</Cliente>"
                     % (name, address, vat, euro(customer_total), "".join(invoices)))
    parts.append("</Report>")
    with open(os.path.join(OUT, "fattura.xml"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(parts) + "\n")


def write_data(name, body):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        f.write(body)


def struct_level(level, name, fields, inner=""):
    return ("<RecordsetStruct%d><RecordsetStructName%d>%s</RecordsetStructName%d>%s%s</RecordsetStruct%d>"
            % (level, level, name, level,
               "".join("<Field%d><FieldName%d>%s</FieldName%d></Field%d>" % (level, level, f, level, level)
                       for f in fields), inner, level))


def listing():
    """A phone list: the column heads repeat on every page and blank ruled
    rows fill the rest of each page."""
    structure = struct_level(0, "Report", [], struct_level(1, "Elenco", ["Titolo"],
                             struct_level(2, "Voce", ["Nome", "Reparto", "Interno", "Email"])))
    bands = {
        "InizioPagina": dict(h=600),
        "InizioDati": dict(h=900, newpage=1),
        "CorpoDati": dict(h=340, repeat=1),
        "FinePagina": dict(h=450),
    }
    L, W = 850, 11906 - 1700
    cols = [(L, 3400, "Nome"), (L + 3400, 2600, "Reparto"), (L + 6000, 1200, "Interno"), (L + 7200, W - 7200, "Email")]
    objects = [
        text("InizioPagina", L, 150, W, 360, "Rubrica telefonica interna", size=14, bold=True, colour=NAVY),
        text("InizioPagina", L, 150, W, 300, "[SYS]", align=1, size=9, colour=GREY, source="[SYS]"),
        text("InizioDati", L, 80, W, 320, "", size=11, bold=True, source="Elenco.[Titolo]"),
        shape("InizioDati", L, 520, W, 340, 4, colour=NAVY, back=LIGHT, transparent=False),
    ]
    objects[1]["keys"]["Valore"] = "aggiornata al [&ddd/mm/yyyy]"
    for left, width, head in cols:
        objects.append(text("InizioDati", left + 60, 560, width - 120, 280, head, size=9, bold=True, colour=NAVY))
    objects.append(shape("CorpoDati", L, 0, W, 340, 4, colour=GREY))
    for left, width, fieldname in cols[1:]:
        objects.append(shape("CorpoDati", left, 0, 20, 340, 1, colour=GREY))
    for left, width, fieldname in cols:
        objects.append(text("CorpoDati", left + 60, 40, width - 120, 280, "", size=9, source="Voce.[%s]" % fieldname))
    objects.append(text("FinePagina", L, 120, W, 280, "Pagina [&p] di [&P]", align=2, size=8, colour=GREY,
                        source="[SYS]"))
    write_template(os.path.join(OUT, "elenco.zet"), "Elenco", A4, structure, bands, objects)

    first = ["Anna", "Bruno", "Carla", "Davide", "Elena", "Franco", "Giulia", "Luca", "Marta", "Nicola",
             "Paola", "Roberto", "Sara", "Tommaso", "Valeria"]
    last = ["Rossi", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco"]
    departments = ["Amministrazione", "Acquisti", "Logistica", "Produzione", "Qualità", "Vendite"]
    rows = []
    for i in range(55):
        name = "%s %s" % (first[i % len(first)], last[(i * 5) % len(last)])
        rows.append("<Voce><Nome>%s</Nome><Reparto>%s</Reparto><Interno>%d</Interno><Email>%s.%s@zetforniture.it</Email></Voce>"
                    % (name, departments[(i * 7) % len(departments)], 200 + i * 3,
                       first[i % len(first)].lower(), last[(i * 5) % len(last)].lower()))
    write_data("elenco.xml", "<Report><Elenco><Titolo>Sede di Udine</Titolo>%s</Elenco></Report>\n" % "\n".join(rows))


def register():
    """Warehouse movements by warehouse and month: the warehouse header repeats
    with its values on every page, and the month footer is continued at the
    bottom of a page with the month's totals."""
    structure = struct_level(0, "Report", [], struct_level(1, "Magazzino", ["Nome", "Responsabile"],
                             struct_level(2, "Mese", ["Periodo", "TotaleCarichi", "TotaleScarichi"],
                                          struct_level(3, "Movimento", ["Data", "Causale", "Articolo", "Quantita"]))))
    bands = {
        "InizioPagina": dict(h=600),
        "InizioReport": dict(h=800),
        "InizioGruppoDati": dict(h=700, newpage=2),
        "InizioDati": dict(h=650, newpage=2),
        "CorpoDati": dict(h=300),
        "FineDati": dict(h=420, newpage=2),
        "FineGruppoDati": dict(h=500),
        "FineReport": dict(h=500),
        "FinePagina": dict(h=450),
    }
    L, W = 850, 11906 - 1700
    cols = [(L, 1500, "Data", 0), (L + 1500, 2300, "Causale", 0), (L + 3800, 4600, "Articolo", 0),
            (L + 8400, W - 8400, "Quantita", 1)]
    objects = [
        text("InizioPagina", L, 150, 6000, 300, "Registro movimenti di magazzino", size=9, colour=GREY),
        text("InizioPagina", L + W - 4000, 150, 4000, 300, "Pagina [&p] di [&P]", align=1, size=9, colour=GREY,
             source="[SYS]"),
        shape("InizioPagina", L, 500, W, 20, 0, colour=GREY),
        text("InizioReport", L, 150, W, 480, "Registro movimenti - anno 2026", align=2, size=18, bold=True,
             colour=NAVY),
        shape("InizioGruppoDati", L, 60, W, 560, 4, colour=NAVY, back=NAVY, transparent=False),
        text("InizioGruppoDati", L + 150, 130, 6000, 340, "", size=12, bold=True, colour=WHITE,
             source="Magazzino.[Nome]"),
        text("InizioGruppoDati", L + 6200, 160, W - 6350, 300, "", align=1, size=9, colour=WHITE,
             source="Magazzino.[Responsabile]"),
        text("InizioDati", L, 60, 5000, 300, "", size=10, bold=True, colour=NAVY, source="Mese.[Periodo]"),
        shape("InizioDati", L, 610, W, 20, 0, colour=NAVY),
    ]
    for left, width, head, align in cols:
        objects.append(text("InizioDati", left + 40, 380, width - 80, 250,
                            {"Quantita": "Quantità"}.get(head, head), align=align, size=8, bold=True))
    for left, width, fieldname, align in cols:
        objects.append(text("CorpoDati", left + 40, 20, width - 80, 260, "", align=align, size=9,
                            source="Movimento.[%s]" % fieldname))
    objects += [
        shape("FineDati", L, 40, W, 20, 0, colour=GREY),
        text("FineDati", L, 100, 3000, 280, "Carichi del mese", size=9, bold=True),
        text("FineDati", L + 3000, 100, 1500, 280, "", align=1, size=9, bold=True, source="Mese.[TotaleCarichi]"),
        text("FineDati", L + 5200, 100, 3000, 280, "Scarichi del mese", size=9, bold=True),
        text("FineDati", L + 8200, 100, W - 8200, 280, "", align=1, size=9, bold=True, source="Mese.[TotaleScarichi]"),
        shape("FineGruppoDati", L, 100, W, 300, 4, colour=ORANGE),
        text("FineGruppoDati", L + 150, 130, W - 300, 260, "Fine movimenti del magazzino", size=9, italic=True),
        text("FineReport", L, 150, W, 300, "Fine del registro", align=2, size=9, italic=True, colour=GREY),
        text("FinePagina", L, 120, W, 280, "[SYS]", align=2, size=8, colour=GREY, source="[SYS]"),
    ]
    objects[-1]["keys"]["Valore"] = "Stampato il [&ddd/mm/yyyy] alle [&dhh:nn]"
    write_template(os.path.join(OUT, "registro.zet"), "Registro", A4, structure, bands, objects)

    causes = [("Carico da fornitore", 1), ("Scarico per produzione", -1), ("Reso a fornitore", -1),
              ("Carico da produzione", 1), ("Scarico per vendita", -1)]
    months = ["Ottobre 2026", "Novembre 2026", "Dicembre 2026"]
    parts = ["<NomeFileEsportazione>registro-2026</NomeFileEsportazione><Report>"]
    for w, (wname, boss) in enumerate([("Magazzino centrale - Udine", "Resp. M. Greco"),
                                       ("Deposito - Pordenone", "Resp. L. Colombo")]):
        parts.append("<Magazzino><Nome>%s</Nome><Responsabile>%s</Responsabile>" % (wname, boss))
        for m, month in enumerate(months):
            moves = []
            loads = unloads = 0
            for i in range(18 + (w * 11 + m * 7) % 25):
                cause, sign = causes[(i * 3 + m + w) % len(causes)]
                qty = 5 + (i * 37 + m * 11 + w * 5) % 140
                if sign > 0:
                    loads += qty
                else:
                    unloads += qty
                article = ARTICLES[(i + m * 2 + w) % len(ARTICLES)][0]
                moves.append("<Movimento><Data>%02d/%02d/2026</Data><Causale>%s</Causale><Articolo>%s</Articolo>"
                             "<Quantita>%s%d</Quantita></Movimento>"
                             % (1 + (i * 29) % 28, 10 + m, cause, article, "+" if sign > 0 else "-", qty))
            parts.append("<Mese><Periodo>%s</Periodo><TotaleCarichi>%d</TotaleCarichi><TotaleScarichi>%d</TotaleScarichi>%s</Mese>"
                         % (month, loads, unloads, "\n".join(moves)))
        parts.append("</Magazzino>")
    parts.append("</Report>")
    write_data("registro.xml", "\n".join(parts) + "\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    invoice()
    invoice_data()
    listing()
    register()


if __name__ == "__main__":
    main()
