#!/usr/bin/env python3
"""Makes the directory a benchmark run renumbers: N files in one of these
layouts, entered in a fixed shuffled order so that the directory's own order
(readdir's) is not name order.

    camera_dump.py DIR N [--layout LAYOUT] [--tagged] [--kind camera|photos|phone|non-ascii] [--media DIR]

  camera     a camera dump: IMG_000000.jpg ... (--numbered: the old spelling of numbered)
  numbered   a directory numbered before: 000001.jpg ...
  add-after  numbered before, and 10 new pictures that sort after the old
             names: 000001.jpg ... and IMG_000001.jpg ... IMG_000010.jpg
  add-first  numbered before with the prefix trip-, and 10 new pictures that
             sort first: trip-000001.jpg ... and IMG_000001.jpg ... IMG_000010.jpg
  companions a camera dump whose N pictures each have a raw and a sidecar:
             IMG_000000.jpg IMG_000000.CR2 IMG_000000.jpg.xmp ... (3 N files)

The files of a camera dump are empty. --kind photos makes small JPEG files
instead, each with an Exif segment whose DateTimeOriginal puts them in a
fixed shuffled order of their own (capture order is not name order), and
each tagged. --kind phone makes a phone's directory: N HEIC stills and N/10
videos, every eleventh name a video, MOV and MP4 in turn (IMG_000000.HEIC ...
IMG_000010.MOV ... IMG_000021.MP4), each a copy of a tiny template of
phone_media.py (made in --media, by default build-bench/phone-media, when
missing) with its own capture time, in a shuffled order of their own; each
tagged, in a 'free' box after its last box. --kind non-ascii names the files
Grüße_aus_Köln_000000.jpg ..., names no ASCII fast path can take.

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
import datetime
import os
import random
import shutil
import struct

import phone_media

SHUFFLE_SEED = 20240601  # the same order on every run, on every machine
CAPTURE_SEED = 20260701  # the photos' own order
NAME_PATTERNS = {"camera": "IMG_{:06d}.jpg", "photos": "IMG_{:06d}.jpg", "phone": "IMG_{:06d}.HEIC",
                 "non-ascii": "Grüße_aus_Köln_{:06d}.jpg"}
# Kinds whose files carry capture times, and are always tagged.
TIMED_KINDS = ("photos", "phone")
DEFAULT_MEDIA = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "build-bench", "phone-media")
FIRST_CAPTURE = (2023, 7, 14, 8)  # the first picture's date and hour
LAYOUTS = ["camera", "numbered", "add-after", "add-first", "companions"]
NEW_PICTURES = 10  # in add-after and add-first
# The prefix the names of add-first were numbered with, which a run gives again.
ADD_FIRST_PREFIX = "trip-"


def original_names(count, layout="camera", kind="camera"):
    """The names of the layout in name order: count old names, and the new
    pictures of add-after and add-first. A camera dump counts from 0, so
    that a million names keep six digits and their byte order stays the
    order a file manager shows."""
    camera = ["IMG_{:06d}.jpg".format(number) for number in range(1, NEW_PICTURES + 1)]
    numbered = ["{:06d}.jpg".format(number) for number in range(1, count + 1)]
    if layout == "camera" and kind == "phone":
        return phone_names(count)
    if layout == "camera":
        return [NAME_PATTERNS[kind].format(number) for number in range(count)]
    if layout == "numbered":
        return numbered
    if layout == "add-after":
        return numbered + camera
    if layout == "add-first":
        return camera + [ADD_FIRST_PREFIX + name for name in numbered]
    if layout == "companions":
        stems = ["IMG_{:06d}".format(number) for number in range(count)]
        return [stem + ending for stem in stems for ending in (".CR2", ".jpg", ".jpg.xmp")]
    raise ValueError("no such layout: " + layout)


def phone_names(stills):
    """A phone's names: stills HEIC stills and stills // 10 videos, every
    eleventh name a video, MOV and MP4 in turn: 3 => IMG_000000.HEIC ...
    IMG_000002.HEIC; 10 => ... IMG_000009.HEIC IMG_000010.MOV."""
    names = []
    for number in range(stills + stills // 10):
        video = number % 11 == 10
        extension = (".MOV" if number // 11 % 2 == 0 else ".MP4") if video else ".HEIC"
        names.append("IMG_{:06d}{}".format(number, extension))
    return names


def phone_kind(name):
    """The template a phone's file is copied from: IMG_000010.MOV => MOV."""
    return name.rsplit(".", 1)[1]


def capture_seconds(count):
    """Seconds after the first capture of each of the N photos, in name order."""
    seconds = list(range(count))
    random.Random(CAPTURE_SEED).shuffle(seconds)
    return seconds


def names_in_capture_order(count, kind="photos"):
    names = original_names(count, "camera", kind)
    return [name for _, name in sorted(zip(capture_seconds(len(names)), names))]


def exif_jpeg(seconds, tag):
    """A JPEG file with an Exif DateTimeOriginal `seconds` after the first
    capture, a tiny picture's worth of bytes, and `tag` after its end."""
    year, month, day, hour = FIRST_CAPTURE
    minute, second = divmod(seconds, 60)
    hour_offset, minute = divmod(minute, 60)
    day_offset, hour_of_day = divmod(hour + hour_offset, 24)
    taken = "{:04d}:{:02d}:{:02d} {:02d}:{:02d}:{:02d}\0".format(year, month, day + day_offset, hour_of_day, minute,
                                                                 second).encode()
    # TIFF: IFD0 with the Exif IFD's offset, then the Exif IFD with the date.
    ifd0 = struct.pack("<HHHII", 1, 0x8769, 4, 1, 26) + struct.pack("<I", 0)
    exif_ifd = struct.pack("<HHHII", 1, 0x9003, 2, len(taken), 26 + 18) + struct.pack("<I", 0)
    tiff = b"II*\0" + struct.pack("<I", 8) + ifd0 + exif_ifd + taken
    app1 = b"Exif\0\0" + tiff
    jpeg = b"\xff\xd8" + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1
    jpeg += b"\xff\xdb" + struct.pack(">H", 67) + b"\0" + bytes(range(1, 65))  # a quantization table
    jpeg += b"\xff\xd9"
    return jpeg + tag.encode() + b"\n"


def template_directory(directory, count, layout, tagged, kind="camera"):
    """The template's path, beside directory: one per layout, kind and size."""
    name = layout if layout != "camera" else kind
    return os.path.join(os.path.dirname(os.path.abspath(directory)), "templates",
                        "{}-{}{}".format(name, count, "-tagged" if tagged else ""))


def phone_file(templates, name, seconds):
    """A phone's file `seconds` after the first capture, with its name in a
    'free' box after its last box, where no reader looks."""
    taken = datetime.datetime(*FIRST_CAPTURE) + datetime.timedelta(seconds=seconds)
    tag = name.encode() + b"\n"
    return templates.patched(phone_kind(name), taken) + struct.pack(">I", 8 + len(tag)) + b"free" + tag


def _make_template(template, count, layout, tagged, kind="camera", media=DEFAULT_MEDIA):
    complete = template + ".complete"
    if os.path.exists(complete):
        return
    shutil.rmtree(template, ignore_errors=True)
    os.makedirs(template)
    template_fd = os.open(template, os.O_RDONLY | os.O_DIRECTORY)
    try:
        names = original_names(count, layout, kind)
        seconds = capture_seconds(len(names)) if kind in TIMED_KINDS else None
        templates = phone_media.templates(media) if kind == "phone" else None
        for index, name in enumerate(names):
            fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644, dir_fd=template_fd)
            if kind == "photos":
                os.write(fd, exif_jpeg(seconds[index], name))
            elif kind == "phone":
                os.write(fd, phone_file(templates, name, seconds[index]))
            elif tagged:
                os.write(fd, name.encode() + b"\n")
            os.close(fd)
    finally:
        os.close(template_fd)
    open(complete, "w").close()


def make(directory, count, layout="camera", tagged=False, kind="camera", media=DEFAULT_MEDIA):
    tagged = tagged or kind in TIMED_KINDS
    template = template_directory(directory, count, layout, tagged, kind)
    _make_template(template, count, layout, tagged, kind, media)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    template_fd = os.open(template, os.O_RDONLY | os.O_DIRECTORY)
    directory_fd = os.open(directory, os.O_RDONLY | os.O_DIRECTORY)
    try:
        names = original_names(count, layout, kind)
        random.Random(SHUFFLE_SEED).shuffle(names)
        for name in names:
            os.link(name, name, src_dir_fd=template_fd, dst_dir_fd=directory_fd)
    finally:
        os.close(directory_fd)
        os.close(template_fd)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("directory")
    parser.add_argument("count", type=int)
    parser.add_argument("--layout", choices=LAYOUTS, default="camera")
    parser.add_argument("--numbered", action="store_true", help="the same as --layout numbered")
    parser.add_argument("--tagged", action="store_true", help="each file holds its original name")
    parser.add_argument("--kind", choices=sorted(NAME_PATTERNS), default="camera",
                        help="empty files, JPEG files with capture times, a phone's HEIC files and videos with "
                        "capture times, or names beyond ASCII")
    parser.add_argument("--media", default=DEFAULT_MEDIA, help="where the phone's template files are (made if missing)")
    arguments = parser.parse_args()
    layout = "numbered" if arguments.numbered else arguments.layout
    make(arguments.directory, arguments.count, layout, arguments.tagged, arguments.kind, arguments.media)


if __name__ == "__main__":
    main()
