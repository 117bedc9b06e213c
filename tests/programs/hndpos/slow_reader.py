"""Runs a program whose output goes into a pipe that is already full and
is read only after half a second; prints what the program wrote into it.

  slow_reader.py stdout PROGRAM ARG...   standard output: a pipe its parent
                                         made non-blocking
  slow_reader.py fifo PROGRAM ARG...     hpostbl.c: a FIFO in the current
                                         directory (standard output goes
                                         to out.bin)

The exit status is the program's."""
import os
import subprocess
import sys
import time


def fill(descriptor):
    """Writes into a non-blocking descriptor until its pipe is full."""
    written = 0
    try:
        while True:
            written += os.write(descriptor, b"f" * 4096)
    except BlockingIOError:
        return written


mode, command = sys.argv[1], sys.argv[2:]
if mode == "stdout":
    reader, writer = os.pipe()
    os.set_blocking(writer, False)
    filler = fill(writer)
    child = subprocess.Popen(command, stdout=writer)
else:
    reader = os.open("hpostbl.c", os.O_RDONLY | os.O_NONBLOCK)
    writer = os.open("hpostbl.c", os.O_WRONLY | os.O_NONBLOCK)
    filler = fill(writer)
    child = subprocess.Popen(command, stdout=open("out.bin", "wb"))
time.sleep(0.5)
os.close(writer)
os.set_blocking(reader, True)
received = bytearray()
while chunk := os.read(reader, 65536):
    received += chunk
status = child.wait()
assert received[:filler] == b"f" * filler, "the filler came back changed"
sys.stdout.buffer.write(received[filler:])
sys.exit(status)
