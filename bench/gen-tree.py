#!/usr/bin/env python3
"""Writes the benchmark's source tree: gen-tree.py FOLDER FILES FOLDERS (files of 1 to 4 KB)."""
import os
import random
import sys

root, files, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(files)
# one fixed time well in the past, so every copy is up to date on the second pass
stamp = 1_600_000_000
for index in range(files):
    folder = os.path.join(root, "d%03d" % (index % folders))
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "f%05d.dat" % index)
    with open(path, "wb") as out:
        out.write(rng.randbytes(rng.randint(1024, 4096)))
    os.utime(path, (stamp, stamp))
with open(root.rstrip("/") + ".complete", "w") as marker:
    marker.write(str(files))
