#!/usr/bin/env python3
"""Makes the directory a benchmark run renumbers: N empty files named like a
camera dump (IMG_000001.jpg ...), or like a directory numbered before
(000001.jpg ...), entered in a fixed shuffled order so that the directory's
own order (readdir's) is not name order.

    camera_dump.py DIR N [--numbered] [--tagged]

DIR is removed first with everything in it, so every timed run starts from
the same state. --tagged puts each file's original name into it, so that
verify.py can tell afterwards which file went to which number.

The files are hard links to a template directory beside DIR (made on first
use, kept for the next runs): removing and creating 100,000 inodes for every
run makes ext4 slow to allocate inodes for a while after (it avoids reusing
recently freed ones), 17 s instead of 3 s per rebuild here, while links only
add and remove names.
"""

import argparse
import os
import random
import shutil

SHUFFLE_SEED = 20240601  # the same order on every run, on every machine


def original_names(count, numbered):
    """The N names in name order: IMG_000001.jpg ... or 000001.jpg ..."""
    pattern = "{:06d}.jpg" if numbered else "IMG_{:06d}.jpg"
    return [pattern.format(number) for number in range(1, count + 1)]


def shuffled_names(count, numbered):
    names = original_names(count, numbered)
    random.Random(SHUFFLE_SEED).shuffle(names)
    return names


def template_directory(directory, count, numbered, tagged):
    """The template's path, beside directory: one per kind and size."""
    kind = "numbered" if numbered else "camera"
    return os.path.join(os.path.dirname(os.path.abspath(directory)), "templates",
                        "{}-{}{}".format(kind, count, "-tagged" if tagged else ""))


def _make_template(template, count, numbered, tagged):
    complete = template + ".complete"
    if os.path.exists(complete):
        return
    shutil.rmtree(template, ignore_errors=True)
    os.makedirs(template)
    template_fd = os.open(template, os.O_RDONLY | os.O_DIRECTORY)
    try:
        for name in original_names(count, numbered):
            fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644, dir_fd=template_fd)
            if tagged:
                os.write(fd, name.encode() + b"\n")
            os.close(fd)
    finally:
        os.close(template_fd)
    open(complete, "w").close()


def make(directory, count, numbered=False, tagged=False):
    template = template_directory(directory, count, numbered, tagged)
    _make_template(template, count, numbered, tagged)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    template_fd = os.open(template, os.O_RDONLY | os.O_DIRECTORY)
    directory_fd = os.open(directory, os.O_RDONLY | os.O_DIRECTORY)
    try:
        for name in shuffled_names(count, numbered):
            os.link(name, name, src_dir_fd=template_fd, dst_dir_fd=directory_fd)
    finally:
        os.close(directory_fd)
        os.close(template_fd)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("directory")
    parser.add_argument("count", type=int)
    parser.add_argument("--numbered", action="store_true", help="000001.jpg ... instead of IMG_000001.jpg ...")
    parser.add_argument("--tagged", action="store_true", help="each file holds its original name")
    arguments = parser.parse_args()
    make(arguments.directory, arguments.count, arguments.numbered, arguments.tagged)


if __name__ == "__main__":
    main()
