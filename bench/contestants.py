"""The programs the benchmark times, each as the shell command that
renumbers the current directory's camera dump to 000001.jpg ... in name order
(or a directory of another layout of camera_dump.py, as each says).

Every command runs in the directory, with LC_ALL=C, so that a shell glob
lists names in byte order, which for fixed-width camera names is the order a
file manager shows. {directory} in a command stands for the directory's
absolute path: tarvine-renumber is given the named file so, as the window
always gives it and users type it. A command of one program execs it, so
that no shell waits around it.
"""

import os
from dataclasses import dataclass

BENCH_DIR = os.path.dirname(os.path.abspath(__file__))


@dataclass(frozen=True)
class Contestant:
    key: str           # a short name for tables and the results file
    label: str         # what the results table shows
    command: str       # run in the directory to renumber
    layout: str = "camera"  # the directory it runs on (camera_dump.py --layout)
    slow: bool = False  # a process per file: fewer timed runs at the big size
    kind: str = "camera"  # the files of a camera layout (camera_dump.py --kind)
    order: str = "name"   # the order the result is checked in: name or taken
    renumbers: bool = True  # False: a yardstick that renames nothing, so nothing to verify
    # The sizes it runs at; None: every size up to 100,000 files.
    sizes: tuple = None


# The size at which only the contestants that name it run (on tmpfs).
MILLION = 1000000
# The command-line contestants whose renames are counted (with --log) in
# each run: a layout each.
COUNTED = ["tarvine", "tarvine-two-pass", "tarvine-add-after", "tarvine-add-first"]


def tarvine_command(program, options, named):
    """tarvine-renumber with options on {directory}/named."""
    return "exec {} -q -d 6 {}{{directory}}/{}".format(program, options + " " if options else "", named)


def contestants(build_dir, baseline=None):
    """Every contestant, ours first, the floors next, then the other tools.
    baseline: another build's tarvine-renumber (today's, to compare with)."""
    tarvine = os.path.join(build_dir, "cli", "tarvine-renumber")
    floors = os.path.join(build_dir, "bench")
    renamer = os.path.join(BENCH_DIR, "node_modules", ".bin", "renamer")
    ours = [
        Contestant("tarvine", "tarvine-renumber (one pass)",
                   tarvine_command(tarvine, "", "IMG_000001.jpg"), sizes=(1000, 10000, 100000, MILLION)),
        Contestant("tarvine-two-pass", "tarvine-renumber, numbered before (nothing moves)",
                   tarvine_command(tarvine, "", "000001.jpg"), layout="numbered"),
        Contestant("tarvine-add-after", "tarvine-renumber, numbered before + 10 new sorting after",
                   tarvine_command(tarvine, "", "IMG_000001.jpg"), layout="add-after"),
        Contestant("tarvine-add-first", "tarvine-renumber, numbered before + 10 new sorting first",
                   tarvine_command(tarvine, "-p trip-", "IMG_000001.jpg"), layout="add-first"),
    ]
    # What durability costs: a run with the log, whose lines and renames are
    # synced in batches, beside the same run with the syncs switched off
    # (only the bench's build heeds TARVINE_BENCH_NO_SYNC).
    ours += [
        Contestant("tarvine-log", "tarvine-renumber --log (lines and renames synced)",
                   tarvine_command(tarvine, "--log", "IMG_000001.jpg"), sizes=(10000, 100000)),
        Contestant("tarvine-log-unsynced", "tarvine-renumber --log, syncs switched off",
                   "TARVINE_BENCH_NO_SYNC=1 " + tarvine_command(tarvine, "--log", "IMG_000001.jpg"),
                   sizes=(10000, 100000)),
    ]
    if baseline:
        ours.append(Contestant("tarvine-baseline", "tarvine-renumber before this change (one pass)",
                               tarvine_command(baseline, "", "IMG_000001.jpg")))
        ours.append(Contestant("tarvine-baseline-taken", "tarvine-renumber --order taken before this change (JPEGs "
                               "with Exif)", tarvine_command(baseline, "--order taken", "IMG_000001.jpg"),
                               kind="photos", order="taken"))
    return ours + [
        # The window's run keeps a log (as it does for a new user), leaves a
        # slideshow page and starts a viewer ("true"); the command line does
        # the same work to be timed beside it.
        Contestant("tarvine-slideshow", "tarvine-renumber --log --slideshow (as the window runs)",
                   tarvine_command(tarvine, "--log --slideshow --viewer true", "IMG_000001.jpg")),
        Contestant("window", "the window's Go For It! (Qt offscreen)",
                   "exec " + os.path.join(build_dir, "bench", "window", "window_run") + " {directory}/IMG_000001.jpg"),
        Contestant("floor-rename-only", "rename-only floor (C)",
                   "exec " + os.path.join(floors, "floor_rename_only") + " 6 jpg", sizes=(1000, 10000, 100000, MILLION)),
        Contestant("floor-per-entry", "per-entry floor (C)",
                   "exec " + os.path.join(floors, "floor_per_entry") + " 6 jpg"),
        # Pictures with a raw and a sidecar each: tarvine-renumber renames
        # the three files of a picture together; the floor makes the same
        # number of renames in one run, each kind numbered on its own. The
        # result is counted, not verified (verify.py knows one file per
        # number).
        Contestant("tarvine-companions", "tarvine-renumber, each picture with a raw and a sidecar",
                   tarvine_command(tarvine, "", "IMG_000001.jpg"), layout="companions", renumbers=False),
        Contestant("floor-companions", "rename-only floor (C), the three kinds in one run",
                   "exec " + os.path.join(floors, "floor_rename_only") + " 6 jpg CR2 xmp",
                   layout="companions", renumbers=False),
        Contestant("floor-list-sort", "list-and-sort floor (C), on the add-after directory",
                   "exec " + os.path.join(floors, "floor_list_sort") + " jpg", layout="add-after", renumbers=False),
        # Names on standard input: 100,000 names on the command line would
        # pass the kernel's limit on an argument list.
        Contestant("perl-rename", "perl rename (file-rename), sprintf counter",
                   "printf '%s\\n' *.jpg | file-rename -e 'our $n; $_ = sprintf(\"%06d.jpg\", ++$n)'"),
        Contestant("python", "Python os.scandir + os.rename",
                   "exec /usr/bin/python3 " + os.path.join(BENCH_DIR, "contestants", "renumber_scandir.py") + " 6 jpg"),
        Contestant("renamer", "renamer (npm), {{index}} token",
                   "exec " + renamer + " --silent --replace '{{index}}.jpg' --index-format '%06d' '*.jpg'"),
        # Photos with capture times, numbered in the order taken, and the same
        # directory in name order as the yardstick of reading the times.
        Contestant("tarvine-taken", "tarvine-renumber --order taken (JPEGs with Exif)",
                   tarvine_command(tarvine, "--order taken", "IMG_000001.jpg"), kind="photos", order="taken"),
        Contestant("tarvine-photos-by-name", "tarvine-renumber --order name (the same JPEGs)",
                   tarvine_command(tarvine, "--order name", "IMG_000001.jpg"), kind="photos"),
        Contestant("exiftool-taken", "exiftool -fileOrder DateTimeOriginal, %C counter",
                   "exec exiftool -q -fileOrder DateTimeOriginal '-FileName=%1.6C.%e' .", kind="photos",
                   order="taken", sizes=(1000, 10000)),  # its target is at 10,000; 100,000 would take minutes a run
        # A phone's directory: N HEIC stills and N/10 videos, half MOV, half
        # MP4 (11,000 files at N = 10,000), numbered in the order taken, the
        # same in name order as the yardstick, and exiftool ordering by the
        # same times: a still's DateTimeOriginal, a MOV's Apple creation date,
        # an MP4's creation time turned from UTC into the phone's zone (TZ).
        # The kinds are spelt as the phone spells its extensions: a file of a
        # listed kind is named with the list's spelling (with mov listed,
        # IMG_000010.MOV would become 000002.mov).
        Contestant("tarvine-phone-taken", "tarvine-renumber --order taken (a phone: N HEIC + N/10 MOV and MP4)",
                   tarvine_command(tarvine, "--order taken --kinds HEIC,MP4,MOV", "IMG_000000.HEIC"), kind="phone",
                   order="taken"),
        Contestant("tarvine-phone-by-name", "tarvine-renumber --order name (the same phone's files)",
                   tarvine_command(tarvine, "--order name --kinds HEIC,MP4,MOV", "IMG_000000.HEIC"),
                   kind="phone"),
        Contestant("exiftool-phone-taken", "exiftool -fileOrder by DateTimeOriginal, else the videos' creation date, "
                   "%C counter (the same phone's files)",
                   "exec exiftool -config " + os.path.join(BENCH_DIR, "contestants", "capture_time.exiftool_config")
                   + " -q -fileOrder CaptureTime -ext HEIC -ext MP4 -ext MOV '-FileName=%1.6C.%e' .", kind="phone",
                   order="taken", sizes=(1000, 10000)),
        # Names beyond ASCII: each placed by the collation of the language.
        Contestant("tarvine-non-ascii", "tarvine-renumber, names beyond ASCII",
                   tarvine_command(tarvine, "", "Grüße_aus_Köln_000001.jpg"), kind="non-ascii"),
        Contestant("mv-loop", "shell loop, mv -n",
                   "exec bash " + os.path.join(BENCH_DIR, "contestants", "renumber_mv_loop.sh") + " 6 jpg",
                   slow=True),
    ]
