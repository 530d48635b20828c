#!/usr/bin/env python3
"""Writes the golden record files from the field tables, independently of the
program's own encoder: each field is the Windows-1252 text padded with blanks
to its width, numbers are little-endian. Run from this directory."""
import struct

PARTY = [("dott.", 5), ("Rossi Perè", 29), ("Niccolò", 29), ("Via della Libertà 12", 40),
         ("Forlì", 35), ("FC", 2), ("47121", 5), ("RSSNCC70A01D704X", 16), ("01234567890", 12)]


def text(value, width):
    data = value.encode("cp1252")[:width]
    return data + b" " * (width - len(data))


def party():
    return b"".join(text(v, w) for v, w in PARTY)


def invoice():
    out = party()
    out += text("07", 2) + text("03", 2) + text("22", 2) + text("a", 1)
    out += text("Progettazione strutturale è completa", 210)
    out += text("Direzione lavori già avviata", 150)
    out += text("Collaudo", 90)
    out += text("1200.50", 10) + text("300", 10) + text("45.25", 10)
    out += text("1", 4) + text("2", 4) + text("10", 4)
    out += text("4", 1) + text("150.75", 8) + text("20", 2) + text("l", 1)
    out += struct.pack("<f", 1000.5)
    out += text("33.10", 8)
    assert len(out) == 696 and out[684:688] == bytes([0x00, 0x20, 0x7A, 0x44])
    return out


def extra_lines():
    descriptions = ["Viti à testa piana", "Bulloni", "", "Staffe", "Perni", "Dadi", "Rondelle"]
    amounts = ["1.50", "2", "", "3.75", "0.5", "0.20", "0.05"]
    quantities = ["100", "50", "", "12", "8", "1000", "9999"]
    out = b"".join(text(d, 35) for d in descriptions)
    out += b"".join(text(a, 10) for a in amounts)
    out += b"".join(text(q, 4) for q in quantities)
    assert len(out) == 343
    return out


def all_bytes_as_utf8():
    # The five bytes the code page leaves unassigned stand for the C1 control of the same value.
    chars = []
    for b in range(256):
        try:
            chars.append(bytes([b]).decode("cp1252"))
        except UnicodeDecodeError:
            chars.append(chr(b))
    return "".join(chars).encode("utf-8")


def first_start_settings():
    return struct.pack("<hxxhxxhxxf", 0, 0, 0, 1936.27)


for name, data in [("party_full.bin", party()), ("invoice_full.bin", invoice()),
                   ("extra_lines_full.bin", extra_lines()), ("impost_first_start.bin", first_start_settings()),
                   ("cp1252_all_bytes.utf8", all_bytes_as_utf8())]:
    with open(name, "wb") as f:
        f.write(data)
