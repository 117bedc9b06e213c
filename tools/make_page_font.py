"""Writes the page's font: the glyphs of Noto Sans CJK JP (SIL Open Font
License, Debian's fonts-noto-cjk) for exactly the characters hndpos can
print, as WOFF2 in a data: URL inside src/web/font/font.css, and the
licence beside it. Run it with the Python that has fontTools and brotli
(Debian: python3-fonttools, python3-brotli) when the program's texts change:

    /usr/bin/python3 tools/make_page_font.py
"""
import base64
import io
import pathlib
import re
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

root = pathlib.Path(__file__).resolve().parent.parent
collection = pathlib.Path("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc")
licence = pathlib.Path("/usr/share/doc/fonts-noto-cjk/copyright")
out = root / "src" / "web" / "font"


def program_characters():
    """Every character of the Shift_JIS literals in the program's own
    sources (the driver, the table writer and the failure report), with
    printable ASCII for the numbers and names they are joined with."""
    characters = {chr(c) for c in range(0x20, 0x7F)}
    for folder in ("driver", "table", "io"):
        for path in sorted((root / "src" / folder).rglob("*.[ch]*")):
            text = path.read_text(encoding="utf-8")
            text = re.sub(r"//[^\n]*", "", text)
            for statement in re.findall(r'((?:"(?:[^"\\\n]|\\.)*"\s*)+)', text):
                pieces = re.findall(r'"((?:[^"\\\n]|\\.)*)"', statement)
                raw = bytearray()
                for piece in pieces:
                    for escape, plain in re.findall(r"(\\x[0-9A-Fa-f]{2}|\\.)|([^\\])", piece):
                        if escape.startswith("\\x"):
                            raw.append(int(escape[2:], 16))
                        elif escape:
                            raw += {"\\n": b"\n", "\\t": b"\t", "\\r": b"\r"}.get(escape, escape[1:].encode())
                        else:
                            raw += plain.encode("utf-8")
                if any(b >= 0x80 for b in raw):
                    characters |= set(bytes(raw).decode("cp932", errors="ignore"))
    return "".join(sorted(c for c in characters if c.isprintable()))


def main():
    if not collection.exists():
        sys.exit(f"{collection} not found: install Debian's fonts-noto-cjk")
    text = program_characters()
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
