#!/usr/bin/env python3
"""Writes the two sample proposals files of this folder.

pregao_itens.xml  an item auction ("M") with 40 items
pregao_lotes.xml  a lot auction ("L") with 5 lots of 3 to 12 items

Both are written the way the program's own writer writes a datapacket: one line, Windows-1252,
no encoding declared, prices, brands and supplier data left empty (absent, so null).
The content is made up here and is deterministic, so running the script again gives the same bytes.

Usage: make_samples.py [OUTPUT_FOLDER]   (default: the folder of this script)
"""

import os
import sys

# The proposals file's columns: (name, fieldtype, extra FIELD attributes in written order).
COLUMNS = [
    ("id_item", "i4", []),
    ("unges", "string", [("WIDTH", "2")]),
    ("sigla", "string", [("WIDTH", "2")]),
    ("convit", "i4", []),
    ("anoc", "string", [("WIDTH", "4")]),
    ("numitem", "i4", []),
    ("descr_lote", "string", [("WIDTH", "60")]),
    ("material", "string", [("WIDTH", "14")]),
    ("descr_item", "string", [("WIDTH", "120")]),
    ("compl_descr", "bin.hex", [("SUBTYPE", "Text")]),
    ("valor", "fixed", [("DECIMALS", "4"), ("WIDTH", "15")]),
    ("marca", "string", [("WIDTH", "30")]),
    ("tipoprega", "string", [("WIDTH", "1")]),
    ("razao_social", "string", [("WIDTH", "80")]),
    ("identif", "string", [("WIDTH", "20")]),
    ("tipoempresa", "string", [("WIDTH", "1")]),
    ("nuitem", "i4", []),
    ("qtde", "fixed", [("DECIMALS", "3"), ("WIDTH", "15")]),
    ("preco_ini", "fixed", [("DECIMALS", "4"), ("WIDTH", "15")]),
    ("upsigl", "string", [("WIDTH", "2")]),
    ("updesc", "string", [("WIDTH", "30")]),
]

# (description, unit, unit name, lines of the item's technical description)
CATALOGUE = [
    ("CANETA ESFEROGRÁFICA AZUL", "UN", "UNIDADE",
     ["Corpo sextavado em plástico cristal transparente.",
      "Ponta de latão com esfera de tungstênio de 1,0 mm.",
      "Tinta à base de corantes orgânicos, cor azul."]),
    ("PAPEL SULFITE A4 75 G/M²", "RM", "RESMA",
     ["Formato 210 x 297 mm, alvura mínima de 90%.",
      "Resma com 500 folhas, embalagem com proteção contra umidade."]),
    ("LÁPIS PRETO Nº 2", "CX", "CAIXA",
     ["Madeira reflorestada, grafite nº 2 (HB).",
      "Caixa com 144 unidades."]),
    ("BORRACHA BRANCA MACIA", "UN", "UNIDADE",
     ["Composição: borracha natural e sintética, sem PVC.",
      "Dimensões aproximadas 40 x 20 x 10 mm."]),
    ("GRAMPEADOR DE MESA 26/6", "UN", "UNIDADE",
     ["Estrutura metálica com pintura epóxi, capacidade para 20 folhas.",
      "Base emborrachada antiderrapante."]),
    ("CLIPE NIQUELADO 2/0", "CX", "CAIXA",
     ["Arame de aço niquelado, tratamento antiferrugem.",
      "Caixa com 100 unidades."]),
    ("PASTA SUSPENSA MARMORIZADA", "UN", "UNIDADE",
     ["Cartão marmorizado 350 g/m², hastes plásticas e visor.",
      "Acompanha etiqueta para identificação."]),
    ("FITA ADESIVA TRANSPARENTE 45 MM X 45 M", "RL", "ROLO",
     ["Filme de polipropileno com adesivo acrílico.",
      "Alta resistência à tração e ao envelhecimento."]),
    ("CAFÉ TORRADO E MOÍDO 500 G", "PC", "PACOTE",
     ["Embalagem a vácuo, selo de pureza ABIC.",
      "Validade mínima de 6 meses a partir da entrega."]),
    ("AÇÚCAR CRISTAL 5 KG", "PC", "PACOTE",
     ["Sacarose de cana, cor branca, sem umidade.",
      "Embalagem de polietileno atóxico."]),
    ("ÁGUA MINERAL SEM GÁS 20 L", "GL", "GALÃO",
     ["Galão retornável com lacre de segurança.",
      "Registro no Ministério da Saúde."]),
    ("DETERGENTE LÍQUIDO NEUTRO 500 ML", "FR", "FRASCO",
     ["Biodegradável, com tensoativo aniônico.",
      "Frasco com tampa abre-fecha."]),
    ("SABONETE LÍQUIDO 5 L", "GL", "GALÃO",
     ["Fragrância suave, pH neutro, dermatologicamente testado."]),
    ("PAPEL HIGIÊNICO FOLHA DUPLA", "FD", "FARDO",
     ["Rolos de 30 m x 10 cm, fardo com 64 rolos.",
      "Papel 100% celulose virgem, picotado e gofrado."]),
    ("TONER PARA IMPRESSORA LASER", "UN", "UNIDADE",
     ["Rendimento mínimo de 3.000 páginas a 5% de cobertura.",
      "Novo, não recondicionado, em embalagem original lacrada.",
      "Garantia mínima de 12 meses."]),
    ("MOUSE ÓPTICO USB", "UN", "UNIDADE",
     ["Resolução de 1.000 dpi, três botões e roda de rolagem.",
      "Cabo com no mínimo 1,5 m."]),
    ("TECLADO ABNT2 USB", "UN", "UNIDADE",
     ["Padrão ABNT2 com teclas ç e acentos, teclado numérico.",
      "Resistente a respingos."]),
    ("CADEIRA GIRATÓRIA COM BRAÇOS", "UN", "UNIDADE",
     ["Encosto em tela, assento em espuma injetada de 50 mm.",
      "Regulagem de altura a gás, base de cinco patas com rodízios.",
      "Conforme norma ABNT NBR 13962."]),
    ("MESA DE ESCRITÓRIO 1,20 X 0,60 M", "UN", "UNIDADE",
     ["Tampo em MDP de 25 mm com bordas em PVC.",
      "Estrutura metálica tubular, pintura eletrostática."]),
    ("ARMÁRIO DE AÇO 2 PORTAS", "UN", "UNIDADE",
     ["Chapa de aço nº 24, quatro prateleiras reguláveis.",
      "Fechadura com duas chaves."]),
]

CONVIT = 87
ANOC = "2026"


def escape(text):
    """The writer's attribute escaping, applied to the code-page text."""
    out = []
    for ch in text:
        out.append({
            "<": "&lt;", ">": "&gt;", "&": "&amp;", "'": "&apos;", '"': "&quot;",
            "\r": "&#013;", "\n": "&#010;", "\t": "&#009;", "\\": "&#092;",
        }.get(ch, ch))
    return "".join(out)


def attributes(pairs):
    return "".join(f' {name}="{escape(value)}"' for name, value in pairs)


def field_element(name, fieldtype, extra):
    return f"<FIELD{attributes([('attrname', name), ('fieldtype', fieldtype)] + extra)}/>"


def document(rows):
    fields = "".join(field_element(*column) for column in COLUMNS)
    names = [column[0] for column in COLUMNS]
    body = "".join(
        f"<ROW{attributes([(n, row[n]) for n in names if row.get(n) is not None])}/>"
        for row in rows)
    return ('<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA>'
            f"<FIELDS>{fields}</FIELDS><PARAMS/></METADATA><ROWDATA>{body}</ROWDATA>"
            "</DATAPACKET>")


def item_row(entry, number, lot_id, lot_description, auction_type, position):
    description, unit, unit_name, spec_lines = entry
    quantity = (position * 37) % 480 + 10
    return {
        "id_item": str(lot_id),
        "unges": "01",
        "sigla": "PE",
        "convit": str(CONVIT),
        "anoc": ANOC,
        "numitem": str(number),
        "descr_lote": lot_description,
        "material": f"{300000 + position * 113:09d}",
        "descr_item": description,
        "compl_descr": "\r\n".join(spec_lines),
        "tipoprega": auction_type,
        "nuitem": str(number),
        "qtde": f"{quantity}.000",
        "upsigl": unit,
        "updesc": unit_name,
    }


def item_auction():
    rows = []
    for number in range(1, 41):
        entry = CATALOGUE[(number - 1) % len(CATALOGUE)]
        if number > len(CATALOGUE):
            entry = (entry[0] + " - COTA RESERVADA ME/EPP",) + entry[1:]
        rows.append(item_row(entry, number, number, "ITEM ÚNICO", "M", number))
    return rows


LOTS = [
    ("LOTE 1 - MATERIAL DE EXPEDIENTE", [0, 1, 2, 3, 4, 5, 6, 7]),
    ("LOTE 2 - GÊNEROS ALIMENTÍCIOS", [8, 9, 10]),
    ("LOTE 3 - MATERIAL DE LIMPEZA E HIGIENE", [11, 12, 13]),
    ("LOTE 4 - SUPRIMENTOS DE INFORMÁTICA", [14, 15, 16, 14, 15, 16, 14, 15, 16, 14, 15, 16]),
    ("LOTE 5 - MOBILIÁRIO", [17, 18, 19, 17]),
]


def lot_auction():
    rows = []
    position = 0
    for lot_id, (lot_description, entries) in enumerate(LOTS, start=1):
        for number, index in enumerate(entries, start=1):
            position += 1
            rows.append(item_row(CATALOGUE[index], number, lot_id, lot_description, "L",
                                 position))
    return rows


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, rows in (("pregao_itens.xml", item_auction()), ("pregao_lotes.xml", lot_auction())):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(document(rows).encode("cp1252"))


if __name__ == "__main__":
    main()
