"""Writes the documents' example files as printed: a line
<!-- file: PATH [PATH...] --> names the paths of the code block after it.

    extract.py OUT DOCUMENT..."""
import pathlib
import re
import sys

out = pathlib.Path(sys.argv[1])
lines = []
for document in sys.argv[2:]:
    lines += pathlib.Path(document).read_text(encoding="utf-8").splitlines(keepends=True)
names = None
for index, line in enumerate(lines):
    marker = re.match(r"<!-- file: (.+) -->", line)
    if marker:
        names = marker.group(1).split()
        continue
    if names and line.startswith("```"):
        end = next(i for i in range(index + 1, len(lines)) if lines[i].startswith("```"))
        for name in names:
            path = out / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text("".join(lines[index + 1 : end]), encoding="utf-8")
        names = None
if not (out / "cmake" / "CMakeLists.txt").exists() or not (out / "make" / "Makefile").exists():
    sys.exit("the documents hold no marked CMake example or Makefile recipe")
