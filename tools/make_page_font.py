"""Writes the page's font: the glyphs of Noto Sans CJK JP (SIL Open Font
License, Debian's fonts-noto-cjk) for exactly the characters hndpos can
print, as WOFF2 in a data: URL inside src/web/font/font.css, and the
licence beside it. The characters come from the program's one table of
texts, as the test build's hndpos_print_texts prints them. Run it with the
Python that has fontTools and brotli (Debian: python3-fonttools,
python3-brotli) when the program's texts change:

    cmake --workflow --preset test
    /usr/bin/python3 tools/make_page_font.py build/test/hndpos_print_texts
"""
import base64
import io
import pathlib
import shutil
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

root = pathlib.Path(__file__).resolve().parent.parent
collection = pathlib.Path("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc")
licence = pathlib.Path("/usr/share/doc/fonts-noto-cjk/copyright")
out = root / "src" / "web" / "font"


def program_characters(printer):
    """Every character of the program's texts, with printable ASCII for the
    numbers and names they are joined with."""
    printed = subprocess.run([printer], check=True, stdout=subprocess.PIPE).stdout.decode("utf-8")
    characters = {chr(c) for c in range(0x20, 0x7F)} | set(printed)
    return "".join(sorted(c for c in characters if c.isprintable()))


def main():
    if not collection.exists():
        sys.exit(f"{collection} not found: install Debian's fonts-noto-cjk")
    if len(sys.argv) != 2:
        sys.exit("usage: make_page_font.py HNDPOS_PRINT_TEXTS")
    text = program_characters(sys.argv[1])
    font = TTCollection(str(collection)).fonts[0]  # Noto Sans CJK JP
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = []
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]  # the licence and the names
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    buffer = io.BytesIO()
    font.flavor = "woff2"
    font.save(buffer)
    data = base64.b64encode(buffer.getvalue()).decode("ascii")
    out.mkdir(parents=True, exist_ok=True)
    (out / "font.css").write_text(
        "/* Noto Sans CJK JP (SIL Open Font License 1.1, see font/LICENSE), only the "
        f"{len(text)} characters hndpos can print; made by tools/make_page_font.py. */\n"
        '@font-face { font-family: "hndpos-jp"; font-display: block; '
        f'src: url(data:font/woff2;base64,{data}) format("woff2"); }}\n',
        encoding="ascii",
    )
    shutil.copyfile(licence, out / "LICENSE")
    print(f"{len(text)} characters, {len(buffer.getvalue())} bytes of WOFF2")


main()
