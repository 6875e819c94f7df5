#!/usr/bin/python3
"""Writes Icotrace's pictures (icons, the link cursor, the donation button).

    generate.py [--out DIR] [--sheet PNG]   write the files and a contact sheet
    generate.py --check [--out DIR]         compare fresh output with DIR, byte for byte

The output is the same bytes on every run: nothing depends on the clock, the
system fonts or a random seed.
"""

import argparse
import os
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

from catalogue import artworks  # noqa: E402


def write_all(folder):
    os.makedirs(folder, exist_ok=True)
    written = []
    for name, make in artworks():
        data = make()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        written.append((name, data))
    return written


def _read(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read()


def check(folder):
    """Regenerate into a scratch folder and name every file that differs."""
    with tempfile.TemporaryDirectory() as scratch:
        stale = []
        for name, data in write_all(scratch):
            if _read(os.path.join(folder, name)) != data:
                stale.append(name)
    for name in stale:
        print("out of date: %s" % os.path.join(folder, name), file=sys.stderr)
    if not stale:
        print("all pictures up to date in %s" % folder)
    return 1 if stale else 0


def main(argv):
    parser = argparse.ArgumentParser(description="Writes Icotrace's pictures.")
    parser.add_argument("--out", default=os.path.join(ROOT, "src", "ui", "resources"))
    parser.add_argument("--sheet", default=os.path.join(ROOT, "build", "art", "sheet.png"))
    parser.add_argument("--check", action="store_true", help="compare, write nothing")
    args = parser.parse_args(argv)
    if args.check:
        return check(args.out)
    written = write_all(args.out)
    from sheet import contact_sheet

    os.makedirs(os.path.dirname(os.path.abspath(args.sheet)), exist_ok=True)
    contact_sheet(written).save(args.sheet)
    for name, data in written:
        print("%-14s %6d bytes" % (name, len(data)))
    print("contact sheet: %s" % args.sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
