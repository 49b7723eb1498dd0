"""Reads what ALSA's file plugin writes into a FIFO, reopening it after every close (the sound
library opens the device more than once), and keeps only the span from the first to the last
byte that is not silence. The state file holds "TOTAL_BYTES SPAN_BYTES", refreshed as data
arrives. Once the file STOP exists (and the FIFO is opened once more to wake the reader) the
span goes to OUT. The device has no clock of its own: reading at BYTES_PER_SECOND paces it as a
sound card would. Usage: capture.py FIFO OUT STATE STOP BYTES_PER_SECOND"""
import os
import sys
import time

fifo, out, state, stop = sys.argv[1:5]
pace = 8192 / float(sys.argv[5])
total = 0
kept = bytearray()  # from the first non-silent byte to the last one
pending_zeros = 0   # silence after the last non-silent byte
reported = 0.0


def report(force=False):
    global reported
    now = time.monotonic()
    if not force and now - reported < 0.1:
        return
    reported = now
    with open(state + ".tmp", "w") as f:
        f.write(f"{total} {len(kept)}\n")
    os.replace(state + ".tmp", state)


report(True)
while not os.path.exists(stop):
    with open(fifo, "rb", buffering=0) as f:
        while chunk := f.read(8192):
            time.sleep(pace)
            total += len(chunk)
            body = chunk.rstrip(b"\0")
            if body.strip(b"\0"):
                if kept:
                    kept += b"\0" * pending_zeros + body
                else:
                    kept += body.lstrip(b"\0")
                pending_zeros = len(chunk) - len(body)
            else:
                pending_zeros += len(chunk)
            report()
    report(True)
with open(out, "wb") as f:
    f.write(kept)
