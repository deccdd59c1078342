#!/usr/bin/env python3
"""Two pseudo-terminals joined back to back, as a null-modem cable joins two
COM ports: com-pair.py FOLDER makes FOLDER/com1 and FOLDER/com2 (links to the
terminals), prints "ready" and copies every byte from one to the other until
it is ended."""
import os
import select
import sys
import tty

folder = sys.argv[1]
ends = {}
for name in ("com1", "com2"):
    master, slave = os.openpty()
    tty.setraw(slave)
    os.symlink(os.ttyname(slave), os.path.join(folder, name))
    ends[name] = master
one, two = ends["com1"], ends["com2"]
other = {one: two, two: one}
print("ready", flush=True)
while True:
    readable, _, _ = select.select([one, two], [], [])
    for end in readable:
        try:
            data = os.read(end, 4096)
        except OSError:
            continue  # the Windows side has closed its port; it may open it again
        os.write(other[end], data)
