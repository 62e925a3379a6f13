#!/usr/bin/env python3
"""A plain Python renumbering, a contestant of the benchmark: the current
directory's *.EXTENSION files, in name order, to zero-padded numbers, testing
each new name before the rename so that nothing is replaced.

    renumber_scandir.py DIGITS EXTENSION
"""

import os
import sys


def main():
    digits, extension = int(sys.argv[1]), "." + sys.argv[2]
    names = sorted(entry.name for entry in os.scandir(".")
                   if entry.name.endswith(extension) and len(entry.name) > len(extension))
    number = 1
    for name in names:
        new_name = "{:0{}d}{}".format(number, digits, extension)
        while os.path.lexists(new_name):
            number += 1
            new_name = "{:0{}d}{}".format(number, digits, extension)
        number += 1
        os.rename(name, new_name)


if __name__ == "__main__":
    main()
