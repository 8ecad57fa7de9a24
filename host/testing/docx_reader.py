#!/usr/bin/python3
"""Reads .docx files with python-docx, an independent reader of the format, and prints one line
per file: "ok FILE" or "error FILE: what went wrong". Every warning counts as an error. It walks
what indexing touches: the paragraphs and runs of the body and its tables (text, bold, italic,
highlight and font colour) and every section's properties.

usage: docx_reader.py FILE.docx...

Run it with Debian's /usr/bin/python3, which has python3-docx."""

import sys
import warnings

import docx
from docx.oxml.ns import qn
from docx.text.paragraph import Paragraph


def paragraphs(document):
    """Every paragraph of the body, those of tables and text boxes included, in one linear walk
    (python-docx's own walk through a table's cells is quadratic in its rows)."""
    for element in document.element.body.iter(qn("w:p")):
        yield Paragraph(element, document._body)


def read(path):
    document = docx.Document(path)
    for section in document.sections:
        (section.start_type, section.orientation, section.page_width, section.page_height,
         section.left_margin, section.right_margin, section.top_margin, section.bottom_margin)
    for paragraph in paragraphs(document):
        paragraph.text, paragraph.alignment
        for run in paragraph.runs:
            run.text, run.bold, run.italic, run.font.highlight_color, run.font.color.rgb
    document.core_properties.title


def main():
    warnings.simplefilter("error")
    failed = 0
    for path in sys.argv[1:]:
        try:
            read(path)
            print("ok", path)
        except Exception as e:  # each file's failure is reported, and the others still read
            failed += 1
            print("error %s: %s: %s" % (path, type(e).__name__, e))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
