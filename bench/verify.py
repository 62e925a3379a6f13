"""Checks a renumbered directory made by camera_dump.py --tagged: the
directory must hold exactly the numbered names 1 ... N + the new pictures of
its layout, with the layout's prefix, and number k must hold the k-th
original name in name order, or of photos numbered in the order taken, in
capture order (every file present once, the right name for the right file).
Each numbered name keeps its original's extension (a phone's HEIC and
videos). A photo holds its name after the end of its picture, a phone's file
in a 'free' box after its last box."""

import os

from camera_dump import ADD_FIRST_PREFIX, names_in_capture_order, original_names

# What the name a file holds follows: the end of a JPEG picture, or the type
# of the last box of a phone's file.
TAG_MARKS = {"phone": b"free"}


def verify(directory, count, layout="camera", kind="camera", order="name"):
    """None when the directory is renumbered right, else what is wrong."""
    # The originals in name order: for fixed-width camera names, byte order
    # is the order a file manager shows. Photos numbered in the order taken
    # follow their capture times instead.
    if order == "taken":
        originals = names_in_capture_order(count, kind)
    else:
        originals = sorted(original_names(count, layout, kind))
    prefix = ADD_FIRST_PREFIX if layout == "add-first" else ""
    expected = ["{}{:06d}.{}".format(prefix, number, original.rsplit(".", 1)[1])
                for number, original in enumerate(originals, 1)]
    # The slideshow page and the log some runs leave beside the pictures are no pictures.
    present = set(os.listdir(directory)) - {"KavoViewer.html", "renum.log", "renum.ids"}
    missing = [name for name in expected if name not in present]
    extra = sorted(present.difference(expected))
    if missing or extra:
        return "{} numbered names missing (first: {}), {} other entries (first: {})".format(
            len(missing), missing[:1], len(extra), extra[:1])

    for new_name, original in zip(expected, originals):
        with open(os.path.join(directory, new_name), "rb") as file:
            held = file.read().rstrip(b"\n").rsplit(TAG_MARKS.get(kind, b"\xff\xd9"), 1)[-1].decode()
        if held != original:
            return "{} holds {}, expected {}".format(new_name, held or "(nothing)", original)
    return None
