"""The shell commands of the README, of the documents in doc/ and of each
example's README, run as they stand, from where the document says to run
them: a user copies them.

    commands.py SOURCE_DIR HOST_TOOLS WORK_DIR
    commands.py --fresh            (in a fresh clone)

The blocks that build hndpos itself expect a fresh clone: .ci/run runs them
there, first, with --fresh, each in the clone as it is and with a HOME of
its own; here they are only named.

HOST_TOOLS is an installed hndpos, which the documents call
$HOME/host-tools and find on the PATH. Every ```sh block is named below by
its document and first line, with the place it runs in or the reason it is
not run here; a block that is not named fails the test, so that no changed
command goes unchecked. Exit 0 when all ran and passed, 77 when some were
skipped for a missing tool, 1 on a failure.
"""
import os
import re
import shutil
import subprocess
import sys

# Where a block runs:
#   root     a copy of the repository's layout (its examples/), as a user at
#            the top of a clone
#   fresh    a fresh clone, where nothing was built yet (--fresh)
#   dial     a directory where `hndpos 83 30 9 13 14` ran first
#   EXAMPLE  the example's folder copied with ../common, as its README asks
# or why it is not run, after "not run:".
BLOCKS = {
    ("README.md", "cmake --workflow --preset release && ./build/release/hndpos 83 30 9 13 14 | iconv -f SHIFT_JIS -t UTF-8"):
        "not run: .ci/run runs it as written",
    ("README.md", "cmake --workflow --preset test"):
        "not run: it is the command that runs this test",
    ("README.md", "hndpos 83 30 9 13 14 >console.txt"): "dial",
    ("README.md", 'cmake --workflow --preset release && cmake --install build/release --prefix "$HOME/host-tools"'): "fresh",
    ("README.md", "hndpos-tables --center 160 120 --radii 60 90 100 --positions 720 60 60 --display 320 240 -o dial.c"):
        "root",
    ("README.md", "cmake -S examples/avr-clock -B build-avr --toolchain \"$PWD/examples/avr-clock/avr.cmake\" \\"): "root",
    ("doc/install.md", "sha256sum -c --ignore-missing SHA256SUMS"):
        "not run: the release check unpacks and installs every package",
    ("doc/install.md", "cmake --preset release && cmake --build --preset release"):
        "not run: installs into /usr/local; the release check builds and installs the same tree",
    ("doc/tables.md", "hndpos-tables --center 160 120 --radii 60 90 100 --positions 720 60 60 --display 320 240 -o dial.c"):
        "root",
    ("doc/tables.md", "hndpos-tables --center 233 233 --radii 120 180 200 \\"): "root",
    ("doc/tables.md", "hndpos-tables --center 233 233 --figure hourh 720 \"-15,-5 65,0 -15,5\" \\"): "root",
    ("doc/tables.md", "hndpos-tables --center 119.5 119.5 --figure needle 61 \"-12,-3 100,-1 104,0 100,1 -12,3\" \\"): "root",
    ("doc/cmake.md", 'make CC=avr-gcc CFLAGS="-mmcu=atmega328p -Os -Wall" STORAGE=progmem'):
        "not run: consumer.readme runs it in the Makefile project it belongs to",
    ("doc/cmake.md", 'cmake --workflow --preset release && cmake --install build/release --prefix "$HOME/host-tools"'): "fresh",
    ("doc/cmake.md", "cmake -S firmware -B build-arm --toolchain arm-toolchain.cmake \\"):
        "not run: its firmware and arm-toolchain.cmake are the user's own; the examples' blocks are run",
    ("doc/firmware.md", "cmake -S examples/avr-clock -B build-avr --toolchain \"$PWD/examples/avr-clock/avr.cmake\" \\"):
        "root",
    ("doc/firmware.md", 'mkdir -p "$HOME/Arduino/libraries" && unzip -o -q hndpos-arduino-1.0.0.zip -d "$HOME/Arduino/libraries"'):
        "not run: consumer.arduino-manual runs it as written, beside the release's zip",
    ("doc/hndpos.md", "iconv -f SHIFT_JIS -t UTF-8 hpostbl.c"): "dial",
    ("doc/viewer.md", "hndpos 83 30 9 13 14"): "dial",
    ("doc/viewer.md", "hndpos-view --check --display 128x64   # each hand's bounding box; exit 1 at the first tip off the panel"):
        "dial",
    ("doc/viewer.md", "hndpos-tables --center 233 233 --radii 120 180 210 --positions 720 60 60 --format json -o watch.json"):
        "root",
    ("doc/web.md", "cmake --workflow --preset web     # needs Emscripten: emcc on the PATH"):
        "not run: .ci/run runs the web workflow; opening the page needs a desktop",
    ("doc/web.md", "npm install ./hndpos-1.0.0.tgz"):
        "not run: the npm package's tests (npm.commands) install it and run these commands",
    ("examples/arduino-clock/README.md", "mkdir -p ../clock-tables && (cd ../clock-tables && hndpos 63 31 20 28 30)"):
        "arduino-clock",
    ("examples/arduino-clock/README.md", "simavr -m atmega328p -f 16000000 build-uno/arduino-clock_.elf"): "arduino-clock",
    ("examples/avr-clock/README.md", 'cmake -S . -B build-avr --toolchain "$PWD/avr.cmake" -Dhndpos_DIR="$HOME/host-tools/lib/cmake/hndpos"'):
        "avr-clock",
    ("examples/avr-clock/README.md", "simavr -m atmega328p -f 16000000 build-avr/clock"): "avr-clock",
    ("examples/avr-clock/README.md",
     "simavr -m atmega328p -f 16000000 build-avr/clock 2>&1 | sed -e 's/\\x1b\\[[0-9;]*m//g' -e 's/\\.$//'"): "avr-clock",
    ("examples/cortex-m-clock/README.md", 'cmake -S . -B build-arm --toolchain "$PWD/cortex-m3.cmake" -Dhndpos_DIR="$HOME/host-tools/lib/cmake/hndpos"'):
        "cortex-m-clock",
    ("examples/cortex-m-clock/README.md", "qemu-system-arm -M lm3s6965evb -nographic -semihosting -kernel build-arm/clock_wide"):
        "cortex-m-clock",
}
# The tools a place needs beyond the host's compiler and CMake.
TOOLS = {
    "avr-clock": ["avr-gcc", "simavr"],
    "cortex-m-clock": ["arm-none-eabi-gcc", "qemu-system-arm"],
    "arduino-clock": ["avr-gcc", "simavr", "/usr/share/arduino/Arduino.mk"],
    "root": ["avr-gcc", "simavr", "cc"],
    "dial": ["iconv"],
}


def blocks(source, document):
    text = open(os.path.join(source, document), encoding="utf-8").read()
    for body in re.findall(r"```sh\n(.*?)```", text, re.S):
        yield body.splitlines()[0], body


def documents(source):
    pages = sorted(f"doc/{name}" for name in os.listdir(os.path.join(source, "doc")) if name.endswith(".md"))
    examples = sorted(f"examples/{name}/README.md" for name in os.listdir(os.path.join(source, "examples"))
                      if os.path.exists(os.path.join(source, "examples", name, "README.md")))
    return ["README.md"] + pages + examples


def run_fresh():
    """The blocks that expect a fresh clone, in the current one."""
    home = os.path.realpath("build/docs-home")
    os.makedirs(home, exist_ok=True)
    environment = dict(os.environ, HOME=home)
    failures = 0
    for document in documents("."):
        for first, body in blocks(".", document):
            if BLOCKS.get((document, first)) != "fresh":
                continue
            run = subprocess.run(["bash", "-e", "-o", "pipefail", "-c", body], env=environment)
            print(f"{document}: {first!r} exits {run.returncode} in a fresh clone")
            failures += run.returncode != 0
    return 1 if failures else 0


def missing_tool(place):
    for tool in TOOLS.get(place, []):
        if not (os.path.exists(tool) if tool.startswith("/") else shutil.which(tool)):
            return tool
    return None


def make_place(place, source, work, environment):
    directory = os.path.join(work, place)
    if os.path.isdir(directory):
        return directory
    if place == "root":
        os.makedirs(directory)
        os.symlink(os.path.join(source, "examples"), os.path.join(directory, "examples"))
    elif place == "dial":
        os.makedirs(directory)
        subprocess.run(["hndpos", "83", "30", "9", "13", "14"], cwd=directory, env=environment,
                       stdout=subprocess.DEVNULL, check=True)
    else:
        examples = os.path.join(work, "copied")
        os.makedirs(examples, exist_ok=True)
        for name in (place, "common"):
            if not os.path.isdir(os.path.join(examples, name)):
                shutil.copytree(os.path.join(source, "examples", name), os.path.join(examples, name))
        directory = os.path.join(examples, place)
    return directory


def main():
    if sys.argv[1:] == ["--fresh"]:
        return run_fresh()
    source, host_tools, work = (os.path.realpath(argument) for argument in sys.argv[1:4])
    home = os.path.join(work, "home")
    os.makedirs(home, exist_ok=True)
    os.symlink(host_tools, os.path.join(home, "host-tools"))
    environment = dict(os.environ, HOME=home, PATH=os.path.join(home, "host-tools", "bin") + os.pathsep + os.environ["PATH"])
    failures = skipped = ran = 0
    for document in documents(source):
        for first, body in blocks(source, document):
            place = BLOCKS.get((document, first))
            if place is None:
                print(f"FAIL: {document}: a command this test does not know, starting: {first}\n"
                      "      name it in tests/docs/commands.py with the place it runs in")
                failures += 1
                continue
            if place.startswith("not run:") or place == "fresh":
                print(f"{document}: {first!r} {place if place != 'fresh' else 'runs in a fresh clone (.ci/run)'}")
                continue
            tool = missing_tool(place)
            if tool:
                print(f"SKIPPED {document}: {first!r}: {tool} not found")
                skipped += 1
                continue
            directory = make_place(place, source, work, environment)
            run = subprocess.run(["timeout", "120", "bash", "-e", "-o", "pipefail", "-c", body], cwd=directory,
                                 env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            ran += 1
            if run.returncode != 0:
                failures += 1
                print(f"FAIL: {document}: the block starting {first!r} exits {run.returncode} "
                      f"in {place}:\n{run.stdout.decode('utf-8', 'replace')[-3000:]}")
    print(f"{ran} blocks of commands ran as written, {failures} failed, {skipped} skipped")
    return 1 if failures else 77 if skipped else 0


if __name__ == "__main__":
    sys.exit(main())
