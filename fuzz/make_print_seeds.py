#!/usr/bin/env python3
"""Writes the seed invoices of fuzz_print in the order its input is read:
a flags byte, the value of one euro and the invoice's rate (32-bit floats),
the wrapping limit in hundreds of twips, then every text as a length byte
followed by its bytes."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "fuzz_print")

COMMERCIAL, LIRE, POINT, ON_ACCOUNT, BALANCE, OMITTED_VAT, FROM_FILE = 1, 2, 4, 8, 16, 32, 64


def seed(name, flags, euro_rate, rate, wrap, texts, encoding="utf-8"):
    out = bytes([flags]) + struct.pack("<ff", euro_rate, rate) + bytes([wrap])
    for t in texts:
        b = t.encode(encoding)
        out += bytes([len(b)]) + b
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def invoice(currency="e", lines=None, extra=None, issuer=None, head=None):
    head = head or ["7", "12", "03", "2024", "22", "4", "20", "15.50", "2"]
    client = ["Sig.", "Rossi", "Mario", "Via Garibaldi 3", "Città di Castello", "PG", "06012",
              "RSSMRA70A01C745X", "01234567890"]
    lines = lines or [("Progettazione esecutiva dell'impianto", "1200.00", "1"),
                      ("Direzione lavori", "850.5", "2"), ("", "", "")]
    extra = extra or [("", "", "")] * 7
    issuer = issuer or ["Ing.", "Bianchi", "Niccolò", "Corso Italia 10", "Arezzo", "AR", "52100",
                        "BNCNCC60B02A390Y", "09876543210"]
    texts = head + client
    for line in lines:
        texts += list(line)
    for line in extra:
        texts += list(line)
    texts += ["", "", "", "", "1936,27", currency]
    return texts + issuer


os.makedirs(HERE, exist_ok=True)
seed("service_euro", BALANCE, 1936.27, 1936.27, 55, invoice())
seed("commercial_extra_lines", COMMERCIAL | ON_ACCOUNT, 1936.27, 1936.27, 55,
     invoice(extra=[("Viti inox", "0.12", "500"), ("Bulloni", "0.3", "250")] + [("", "", "")] * 5))
seed("service_lire", LIRE | BALANCE | OMITTED_VAT, 1936.27, 1936.27, 55,
     invoice(currency="l", lines=[("Consulenza", "1936270", ""), ("", "", ""), ("", "", "")]))
seed("commercial_lire_no_rate", COMMERCIAL | LIRE, 1936.27, 0.0, 30,
     invoice(currency="l", lines=[("Fornitura", "15000", "3"), ("", "", ""), ("", "", "")]))
seed("long_words_from_file", FROM_FILE | POINT | BALANCE, 1000.5, 1000.5, 20,
     invoice(lines=[("Sopralluogo" * 18, "99999999.99", "9999"), ("a\r\nb  c   ", "1e3", "1"),
                    ("perché è così", "0,5", "")]), encoding="cp1252")
