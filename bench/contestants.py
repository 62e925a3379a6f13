"""The programs the benchmark times, each as the shell command that
renumbers the current directory's camera dump to 000001.jpg ... in name order.

Every command runs with LC_ALL=C, so that a shell glob lists names in byte
order, which for fixed-width camera names is the order a file manager shows.
A command of one program execs it, so that no shell waits around it.
"""

import os
from dataclasses import dataclass

BENCH_DIR = os.path.dirname(os.path.abspath(__file__))


@dataclass(frozen=True)
class Contestant:
    key: str           # a short name for tables and the results file
    label: str         # what the results table shows
    command: str       # run in the directory to renumber
    numbered: bool     # the directory was numbered before (000001.jpg ...)
    slow: bool = False  # a process per file: fewer timed runs at the big size
    kind: str = "camera"  # the directory it renumbers (camera_dump.py --kind)
    order: str = "name"   # the order the result is checked in: name or taken


def contestants(build_dir):
    """Every contestant, ours first, the floors next, then the other tools."""
    tarvine = os.path.join(build_dir, "cli", "tarvine-renumber")
    floors = os.path.join(build_dir, "bench")
    renamer = os.path.join(BENCH_DIR, "node_modules", ".bin", "renamer")
    return [
        Contestant("tarvine", "tarvine-renumber (one pass)",
                   "exec " + tarvine + " -q -d 6 IMG_000001.jpg", numbered=False),
        Contestant("tarvine-two-pass", "tarvine-renumber, numbered before (two passes)",
                   "exec " + tarvine + " -q -d 6 000001.jpg", numbered=True),
        # The window's run leaves a slideshow page and starts a viewer ("true");
        # the command line does the same work to be timed beside it.
        Contestant("tarvine-slideshow", "tarvine-renumber --slideshow (as the window runs)",
                   "exec " + tarvine + " -q -d 6 --slideshow --viewer true IMG_000001.jpg", numbered=False),
        Contestant("window", "the window's Go For It! (Qt offscreen)",
                   "exec " + os.path.join(build_dir, "bench", "window", "window_run") + " IMG_000001.jpg",
                   numbered=False),
        Contestant("floor-rename-only", "rename-only floor (C)",
                   "exec " + os.path.join(floors, "floor_rename_only") + " 6 jpg", numbered=False),
        Contestant("floor-per-entry", "per-entry floor (C)",
                   "exec " + os.path.join(floors, "floor_per_entry") + " 6 jpg", numbered=False),
        # Names on standard input: 100,000 names on the command line would
        # pass the kernel's limit on an argument list.
        Contestant("perl-rename", "perl rename (file-rename), sprintf counter",
                   "printf '%s\\n' *.jpg | file-rename -e 'our $n; $_ = sprintf(\"%06d.jpg\", ++$n)'",
                   numbered=False),
        Contestant("python", "Python os.scandir + os.rename",
                   "exec /usr/bin/python3 " + os.path.join(BENCH_DIR, "contestants", "renumber_scandir.py") + " 6 jpg",
                   numbered=False),
        Contestant("renamer", "renamer (npm), {{index}} token",
                   "exec " + renamer + " --silent --replace '{{index}}.jpg' --index-format '%06d' '*.jpg'",
                   numbered=False),
        # Photos with capture times, numbered in the order taken, and the same
        # directory in name order as the yardstick of reading the times.
        Contestant("tarvine-taken", "tarvine-renumber --order taken (JPEGs with Exif)",
                   "exec " + tarvine + " -q -d 6 --order taken IMG_000001.jpg", numbered=False,
                   kind="photos", order="taken"),
        Contestant("tarvine-photos-by-name", "tarvine-renumber --order name (the same JPEGs)",
                   "exec " + tarvine + " -q -d 6 --order name IMG_000001.jpg", numbered=False, kind="photos"),
        Contestant("exiftool-taken", "exiftool -fileOrder DateTimeOriginal, %C counter",
                   "exec exiftool -q -fileOrder DateTimeOriginal '-FileName=%1.6C.%e' .", numbered=False,
                   kind="photos", order="taken"),
        # Names beyond ASCII: each placed by the collation of the language.
        Contestant("tarvine-non-ascii", "tarvine-renumber, names beyond ASCII",
                   "exec " + tarvine + " -q -d 6 Grüße_aus_Köln_000001.jpg", numbered=False, kind="non-ascii"),
        Contestant("mv-loop", "shell loop, mv -n",
                   "exec bash " + os.path.join(BENCH_DIR, "contestants", "renumber_mv_loop.sh") + " 6 jpg",
                   numbered=False, slow=True),
    ]
