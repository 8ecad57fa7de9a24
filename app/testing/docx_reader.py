#!/usr/bin/python3
"""Reads .docx files with python-docx, an independent reader of the format, and prints one line
per file: "ok FILE" or "error FILE: what went wrong". Every warning counts as an error. It walks
what indexing touches: the paragraphs and runs of the body, its tables, headers and footers
(text, style, bold, highlight and font colour), and every section's properties.

usage: docx_reader.py FILE.docx...

Run it with Debian's /usr/bin/python3, which has python3-docx."""

import sys
import warnings

import docx


def paragraphs(container):
    """Every paragraph of a body, header, footer or cell, tables' cells included."""
    for paragraph in container.paragraphs:
        yield paragraph
    for table in container.tables:
        for row in table.rows:
            for cell in row.cells:
                yield from paragraphs(cell)


def read(path):
    document = docx.Document(path)
    containers = [document]
    for section in document.sections:
        (section.start_type, section.orientation, section.page_width, section.page_height,
         section.left_margin, section.right_margin, section.top_margin, section.bottom_margin)
        containers += [section.header, section.footer]
    for container in containers:
        for paragraph in paragraphs(container):
            paragraph.text, paragraph.style, paragraph.alignment
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
