"""The files of a phone's directory, made from three tiny templates, as a
phone writes them: a HEIC still with an Exif DateTimeOriginal, its offset
and the phone's model (heif-enc, then exiftool, then the item locations
laid out as phones lay them, tests/data/capture-times/phone-iloc.py), a MOV
with a UTC creation time and Apple's creation date with its offset, and an
MP4 with the UTC creation time alone (ffmpeg -metadata). They are made once
per benchmark run; each copy then gets its own capture time patched into
the template's bytes in place:

  HEIC  the DateTimeOriginal text "YYYY:MM:DD HH:MM:SS"    (fixed width)
  MOV   the Apple date text "YYYY-MM-DDTHH:MM:SS+0200"    (fixed width)
  video the creation and modification times of mvhd, tkhd and mdhd,
        seconds since 1904 in UTC, 32 or 64 bits by the box's version

A still's time is the phone's wall clock; a video's UTC time is turned into
the wall clock by the zone of PHONE_ZONE.
"""

import datetime
import json
import os
import struct
import subprocess
import sys

PROJECT_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The zone the phone was in: central Europe, as a POSIX rule (no time-zone
# database needed); every capture of the benchmark falls in its summer time.
PHONE_ZONE = "CET-1CEST,M3.5.0,M10.5.0/3"
SUMMER_OFFSET = datetime.timedelta(hours=2)
KINDS = ("HEIC", "MP4", "MOV")
# The time the templates are made with, found again in their bytes.
TEMPLATE_TIME = datetime.datetime(2001, 2, 3, 4, 5, 6)
EXIF_FORMAT = "%Y:%m:%d %H:%M:%S"
APPLE_FORMAT = "%Y-%m-%dT%H:%M:%S+0200"  # on the phone's summer clock
SECONDS_1904 = datetime.datetime(1904, 1, 1)
VIDEO_TIME_BOXES = (b"mvhd", b"tkhd", b"mdhd")


def _run(words, directory):
    subprocess.run(words, cwd=directory, check=True, stdout=subprocess.DEVNULL)


def _make_templates(directory):
    """tiny.heic, tiny.mp4 and tiny.mov in directory, with TEMPLATE_TIME."""
    _run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "color=c=gray:s=64x64", "-frames:v", "1", "tiny.png"],
         directory)
    _run(["heif-enc", "-q", "10", "-o", "tiny.heic", "tiny.png"], directory)
    _run(["exiftool", "-q", "-overwrite_original", "-DateTimeOriginal=" + TEMPLATE_TIME.strftime(EXIF_FORMAT),
          "-OffsetTimeOriginal=+02:00", "-Model=iPhone 12", "tiny.heic"], directory)
    _run([sys.executable, os.path.join(PROJECT_DIR, "tests", "data", "capture-times", "phone-iloc.py"), "tiny.heic"],
         directory)
    utc = (TEMPLATE_TIME - SUMMER_OFFSET).strftime("%Y-%m-%dT%H:%M:%SZ")
    apple = ["-movflags", "use_metadata_tags", "-metadata", "com.apple.quicktime.creationdate="
             + TEMPLATE_TIME.strftime(APPLE_FORMAT), "-metadata", "com.apple.quicktime.model=iPhone 12"]
    for name, metadata in (("tiny.mp4", []), ("tiny.mov", apple)):
        # Three frames of 16 x 16 pixels: about a kilobyte.
        _run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "color=c=gray:s=16x16:r=5:d=0.6", "-c:v", "mpeg4",
              "-q:v", "31", "-metadata", "creation_time=" + utc] + metadata + [name], directory)


def _video_fields(data):
    """The (offset, width) of every creation and modification time of the
    video's mvhd, tkhd and mdhd boxes, each checked to hold TEMPLATE_TIME."""
    seconds = int((TEMPLATE_TIME - SUMMER_OFFSET - SECONDS_1904).total_seconds())
    fields = []
    for box in VIDEO_TIME_BOXES:
        start = data.find(box)
        while start >= 0:
            width = 8 if data[start + 4] == 1 else 4  # the full box's version
            for offset in (start + 8, start + 8 + width):  # after version and flags
                if int.from_bytes(data[offset:offset + width], "big") != seconds:
                    raise RuntimeError("the video template's {} box holds no creation time".format(box.decode()))
                fields.append((offset, width))
            start = data.find(box, start + 4)
    if not fields:
        raise RuntimeError("the video template has no mvhd box")
    return fields


def _text_field(data, text_format):
    """The offset of TEMPLATE_TIME written in text_format, found once in data."""
    text = TEMPLATE_TIME.strftime(text_format).encode()
    if data.count(text) != 1:
        raise RuntimeError("a template holds its date {} {} times".format(text.decode(), data.count(text)))
    return data.index(text)


class Templates:
    """The three templates' bytes and where their times lie; patched()
    gives a copy with another time, its other bytes unchanged."""

    def __init__(self, directory):
        self._data = {}
        for kind in KINDS:
            with open(os.path.join(directory, "tiny." + kind.lower()), "rb") as file:
                self._data[kind] = file.read()
        self._texts = {"HEIC": (_text_field(self._data["HEIC"], EXIF_FORMAT), EXIF_FORMAT),
                       "MOV": (_text_field(self._data["MOV"], APPLE_FORMAT), APPLE_FORMAT)}
        self._video_fields = {kind: _video_fields(self._data[kind]) for kind in ("MP4", "MOV")}

    def patched(self, kind, wall_clock):
        """The template of kind (HEIC, MP4, MOV) taken at wall_clock, a naive
        datetime of the phone's clock in PHONE_ZONE's summer time."""
        data = bytearray(self._data[kind])
        if kind in self._texts:
            offset, text_format = self._texts[kind]
            text = wall_clock.strftime(text_format).encode()
            data[offset:offset + len(text)] = text
        if kind == "HEIC":
            return bytes(data)
        seconds = int((wall_clock - SUMMER_OFFSET - SECONDS_1904).total_seconds())
        for offset, width in self._video_fields[kind]:
            data[offset:offset + width] = seconds.to_bytes(width, "big")
        return bytes(data)


def _check(directory, templates):
    """A patched copy of each template reads, with exiftool, as the time it
    was given, in every field patched: a video's UTC time on the phone's
    clock through PHONE_ZONE."""
    taken = datetime.datetime(2023, 7, 14, 23, 59, 58)
    names = []
    for kind in KINDS:
        name = "check." + kind.lower()
        with open(os.path.join(directory, name), "wb") as file:
            file.write(templates.patched(kind, taken))
        names.append(name)
    fields = {"HEIC": ["DateTimeOriginal"], "MP4": ["CreateDate", "MediaCreateDate"],
              "MOV": ["CreationDate", "CreateDate", "MediaCreateDate"]}
    finished = subprocess.run(["exiftool", "-json", "-api", "QuickTimeUTC", "-DateTimeOriginal", "-CreationDate",
                               "-CreateDate", "-MediaCreateDate"] + names, cwd=directory, check=True,
                              capture_output=True, text=True, env=dict(os.environ, TZ=PHONE_ZONE))
    for kind, tags in zip(KINDS, json.loads(finished.stdout)):
        for field in fields[kind]:
            if str(tags.get(field))[:19] != taken.strftime(EXIF_FORMAT):
                raise RuntimeError("{} {} reads as {!r}, not {}".format(tags["SourceFile"], field, tags.get(field),
                                                                       taken))


def make(directory):
    """Makes the templates in directory afresh and checks a patched copy of each."""
    os.makedirs(directory, exist_ok=True)
    _make_templates(directory)
    _check(directory, Templates(directory))


def templates(directory):
    """The templates of directory, made first if they are not there."""
    if not all(os.path.exists(os.path.join(directory, "tiny." + kind.lower())) for kind in KINDS):
        make(directory)
    return Templates(directory)
