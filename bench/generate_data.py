#!/usr/bin/env python3
"""Writes large data files for the sample reports, for trying them out at size.

    python3 bench/generate_data.py elenco 100000 > /tmp/elenco-100k.xml
    python3 bench/generate_data.py registro 1000000 > /tmp/registro-1m.xml
    build/app/zetview info examples/elenco.zet /tmp/elenco-100k.xml

elenco: one list of N entries. registro: N movements in months of 50, twelve
months to a warehouse.
"""
import sys


def elenco(rows, out):
    out.write("<Report><Elenco><Titolo>Elenco di prova</Titolo>")
    for i in range(rows):
        out.write("<Voce><Nome>Persona %d</Nome><Reparto>Reparto %d</Reparto><Interno>%d</Interno>"
                  "<Email>persona%d@example.it</Email></Voce>\n" % (i, i % 17, 100 + i % 900, i))
    out.write("</Elenco></Report>\n")


def registro(rows, out):
    out.write("<Report>")
    month = 0
    for start in range(0, rows, 50):
        if month % 12 == 0:
            if month:
                out.write("</Magazzino>")
            out.write("<Magazzino><Nome>Magazzino %d</Nome><Responsabile>Resp. %d</Responsabile>"
                      % (month // 12 + 1, month // 12 + 1))
        count = min(50, rows - start)
        out.write("<Mese><Periodo>Mese %d</Periodo><TotaleCarichi>%d</TotaleCarichi>"
                  "<TotaleScarichi>%d</TotaleScarichi>" % (month + 1, count * 10, count * 7))
        for i in range(count):
            out.write("<Movimento><Data>%02d/%02d/2026</Data><Causale>Carico</Causale>"
                      "<Articolo>Articolo %d</Articolo><Quantita>+%d</Quantita></Movimento>\n"
                      % (1 + i % 28, 1 + month % 12, start + i, 1 + i % 99))
        out.write("</Mese>")
        month += 1
    if month:
        out.write("</Magazzino>")
    out.write("</Report>\n")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("elenco", "registro"):
        sys.exit(__doc__)
    {"elenco": elenco, "registro": registro}[sys.argv[1]](int(sys.argv[2]), sys.stdout)


if __name__ == "__main__":
    main()
