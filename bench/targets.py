"""The speed and memory targets of tarvine-renumber, checked against one run's
medians: each becomes met, missed, or not measured (a size or file system
left out of the run, or a contestant whose result was wrong)."""

from dataclasses import dataclass

FLOOR = "floor-rename-only"
LIST_SORT_FLOOR = "floor-list-sort"
ONE_PASS = "tarvine"
TWO_PASS = "tarvine-two-pass"
ADD_AFTER = "tarvine-add-after"
ADD_FIRST = "tarvine-add-first"
BASELINE = "tarvine-baseline"
LOGGED = "tarvine-log"
LOGGED_UNSYNCED = "tarvine-log-unsynced"
SLIDESHOW = "tarvine-slideshow"
WINDOW = "window"
TAKEN = "tarvine-taken"
PHOTOS_BY_NAME = "tarvine-photos-by-name"
EXIFTOOL = "exiftool-taken"
BASELINE_TAKEN = "tarvine-baseline-taken"
PHONE_TAKEN = "tarvine-phone-taken"
PHONE_BY_NAME = "tarvine-phone-by-name"
PHONE_EXIFTOOL = "exiftool-phone-taken"
NON_ASCII = "tarvine-non-ascii"
COMPANIONS = "tarvine-companions"
COMPANIONS_FLOOR = "floor-companions"
MILLION = 1000000
NEW_PICTURES = 10
# The tools tarvine-renumber must beat; the floors are yardsticks, not rivals.
OTHER_TOOLS = ["perl-rename", "python", "renamer", "mv-loop"]
CHECKED_SIZES = [10000, 100000]
MIB = 1024


@dataclass
class Verdict:
    target: str
    measured: str
    verdict: str  # "met", "missed" or "not measured"


class Results:
    """One run's records, looked up by file system, size and contestant."""

    def __init__(self, records):
        self._by_key = {(r["filesystem"], r["size"], r["contestant"]): r for r in records}

    def record(self, filesystem, size, contestant):
        return self._by_key.get((filesystem, size, contestant))

    def median(self, filesystem, size, contestant):
        record = self.record(filesystem, size, contestant)
        return record["median"] if record and record.get("status") == "timed" else None


def _judge(target, measured, holds):
    if holds is None:
        return Verdict(target, measured, "not measured")
    return Verdict(target, measured, "met" if holds else "missed")


def _ratio_target(verdicts, target, ours, yardstick, limit):
    """Appends the verdict of ours <= limit x yardstick."""
    if ours is not None and yardstick is not None:
        verdicts.append(_judge(target, "{:.2f} x ({:.3f} s / {:.3f} s)".format(ours / yardstick, ours, yardstick),
                               ours <= limit * yardstick))
    else:
        verdicts.append(_judge(target, "-", None))


def _renames(counts, layout):
    """Our renames counted on the layout's directory, and at what size."""
    for row in counts:
        if row["layout"] == layout and row.get("ours") is not None:
            return row["ours"], row["size"]
    return None, None


def evaluate(records, filesystems, counts=()):
    results = Results(records)
    verdicts = []
    for filesystem in filesystems:
        for size in CHECKED_SIZES:
            where = "{:,} files, {}".format(size, filesystem)
            ours = results.median(filesystem, size, ONE_PASS)
            floor = results.median(filesystem, size, FLOOR)
            two_pass = results.median(filesystem, size, TWO_PASS)

            _ratio_target(verdicts, "one pass, absolute path six directories deep, at most 1.10 x the rename-only "
                          "floor, " + where, ours, floor, 1.10)

            rivals = {key: results.median(filesystem, size, key) for key in OTHER_TOOLS}
            timed = {key: value for key, value in rivals.items() if value is not None}
            if ours is not None and timed:
                fastest = min(timed, key=timed.get)
                untimed = sorted(set(OTHER_TOOLS) - set(timed))
                measured = "{:.3f} s; fastest other tool: {} {:.3f} s".format(ours, fastest, timed[fastest])
                if untimed:
                    measured += " (not timed: {})".format(", ".join(untimed))
                verdicts.append(_judge("one pass faster than every other tool, " + where, measured,
                                       ours < timed[fastest]))
            else:
                verdicts.append(_judge("one pass faster than every other tool, " + where, "-", None))

            _ratio_target(verdicts, "a fresh directory no slower than before this change (at most 1.05 x), " + where,
                          ours, results.median(filesystem, size, BASELINE), 1.05)
            if size == 100000:  # pictures alone, since companions are looked for
                _ratio_target(verdicts, "pictures without companions no slower than the baseline (at most 1.02 x), "
                              + where, ours, results.median(filesystem, size, BASELINE), 1.02)
            _ratio_target(verdicts, "numbered before, nothing to rename: at most 2.5 x the rename-only floor, " + where,
                          two_pass, floor, 2.5)

        # What the log's durability costs, against the same run unsynced.
        most = 1.15 if filesystem == "root disk" else 1.05
        for size in (10000, 100000):
            _ratio_target(verdicts, "--log synced at most {:.2f} x unsynced, {:,} files, {}".format(most, size, filesystem),
                          results.median(filesystem, size, LOGGED), results.median(filesystem, size, LOGGED_UNSYNCED),
                          most)

        small = results.median(filesystem, 10000, ONE_PASS)
        big = results.median(filesystem, 100000, ONE_PASS)
        if small is not None and big is not None:
            verdicts.append(_judge("linear: 100,000 files at most 12 x 10,000 files, " + filesystem,
                                   "{:.1f} x".format(big / small), big <= 12 * small))
        else:
            verdicts.append(_judge("linear: 100,000 files at most 12 x 10,000 files, " + filesystem, "-", None))

    # A re-run over 100,000 numbered pictures with 10 new ones.
    renames, counted_at = _renames(counts, "add-after")
    target = "10 new pictures after 100,000 numbered: at most 20 renames"
    if renames is not None and counted_at == 100000:
        verdicts.append(_judge(target, "{:,} renames".format(renames), renames <= 2 * NEW_PICTURES))
    else:
        verdicts.append(_judge(target, "-" if renames is None else "counted at {:,} files".format(counted_at), None))
    _ratio_target(verdicts, "10 new pictures after 100,000 numbered: at most 3 x listing and sorting alone, tmpfs",
                  results.median("tmpfs", 100000, ADD_AFTER), results.median("tmpfs", 100000, LIST_SORT_FLOOR), 3.0)
    renames, counted_at = _renames(counts, "add-first")
    target = "10 new pictures before 100,000 numbered: at most N + 10 renames"
    if renames is not None and counted_at == 100000:
        verdicts.append(_judge(target, "{:,} renames".format(renames), renames <= counted_at + NEW_PICTURES))
    else:
        verdicts.append(_judge(target, "-" if renames is None else "counted at {:,} files".format(counted_at), None))
    for filesystem in filesystems:
        _ratio_target(verdicts, "10 new pictures before 100,000 numbered: at most 1.3 x the rename-only floor's "
                      "one pass, " + filesystem, results.median(filesystem, 100000, ADD_FIRST),
                      results.median(filesystem, 100000, FLOOR), 1.3)

    # A million files.
    _ratio_target(verdicts, "1,000,000 files on tmpfs: at most 1.15 x the rename-only floor",
                  results.median("tmpfs", MILLION, ONE_PASS), results.median("tmpfs", MILLION, FLOOR), 1.15)
    ours_peak = (results.record("tmpfs", MILLION, ONE_PASS) or {}).get("maxrss_kib")
    floor_peak = (results.record("tmpfs", MILLION, FLOOR) or {}).get("maxrss_kib")
    target = "1,000,000 files on tmpfs: peak memory at most 2 x the rename-only floor's"
    if ours_peak and floor_peak:
        verdicts.append(_judge(target, "{:.1f} MiB / {:.1f} MiB".format(ours_peak / MIB, floor_peak / MIB),
                               ours_peak <= 2 * floor_peak))
    else:
        verdicts.append(_judge(target, "-", None))

    # Pictures with companions: 100,000 pictures, each with a raw and a sidecar.
    for filesystem in filesystems:
        _ratio_target(verdicts, "100,000 pictures with a raw and a sidecar each: at most 1.15 x the rename-only "
                      "floor making the same 300,000 renames, " + filesystem,
                      results.median(filesystem, 100000, COMPANIONS), results.median(filesystem, 100000,
                                                                                     COMPANIONS_FLOOR), 1.15)
        ours_peak = (results.record(filesystem, 100000, COMPANIONS) or {}).get("maxrss_kib")
        floor_peak = (results.record(filesystem, 100000, COMPANIONS_FLOOR) or {}).get("maxrss_kib")
        target = "100,000 pictures with companions: peak memory at most 2 x the floor's, " + filesystem
        verdicts.append(_judge(target, "{:.1f} MiB / {:.1f} MiB".format(ours_peak / MIB, floor_peak / MIB),
                               ours_peak <= 2 * floor_peak) if ours_peak and floor_peak else _judge(target, "-", None))

    peaks = [r.get("maxrss_kib") for r in records
             if r["size"] == 100000 and r["contestant"] in (ONE_PASS, TWO_PASS) and r.get("maxrss_kib")]
    if peaks:
        verdicts.append(_judge("peak memory at 100,000 files at most 64 MiB",
                               "{:.1f} MiB".format(max(peaks) / MIB), max(peaks) <= 64 * MIB))
    else:
        verdicts.append(_judge("peak memory at 100,000 files at most 64 MiB", "-", None))

    verdicts += _ordering_verdicts(results, filesystems)

    for filesystem in filesystems:
        target = "window: Go For It! on 100,000 files at most 1.3 x the command line, " + filesystem
        _ratio_target(verdicts, target, results.median(filesystem, 100000, WINDOW),
                      results.median(filesystem, 100000, SLIDESHOW), 1.3)
    return verdicts


def _ratio_verdict(results, target, filesystem, size, numerator, denominator, limit):
    """numerator / denominator at most `limit`, both timed at one size."""
    top = results.median(filesystem, size, numerator)
    bottom = results.median(filesystem, size, denominator)
    if top is None or bottom is None:
        return _judge(target, "-", None)
    return _judge(target, "{:.2f} x ({:.3f} s / {:.3f} s)".format(top / bottom, top, bottom), top <= limit * bottom)


def _ordering_verdicts(results, filesystems):
    """The numbering orders: capture times read fast, of JPEGs and of a
    phone's HEIC stills and videos, names beyond ASCII placed at little cost."""
    verdicts = []
    for filesystem in filesystems:
        where = "10,000 JPEGs with Exif, " + filesystem
        verdicts.append(_faster(results, "--order taken at least 10 x faster than exiftool -fileOrder "
                                "DateTimeOriginal, " + where, filesystem, TAKEN, EXIFTOOL))
        verdicts.append(_ratio_verdict(results, "--order taken at most 3 x --order name, " + where, filesystem, 10000,
                                       TAKEN, PHOTOS_BY_NAME, 3))
        verdicts.append(_linear(results, filesystem, TAKEN, "--order taken"))
        for size in CHECKED_SIZES:
            verdicts.append(_ratio_verdict(
                results, "--order taken on JPEGs no slower than before this change (at most 1.05 x), {:,} files, "
                "{}".format(size, filesystem), filesystem, size, TAKEN, BASELINE_TAKEN, 1.05))
        where = "a phone's 10,000 HEIC + 1,000 MOV/MP4, " + filesystem
        verdicts.append(_faster(results, "--order taken at least 10 x faster than exiftool -fileOrder by the same "
                                "capture times, " + where, filesystem, PHONE_TAKEN, PHONE_EXIFTOOL))
        verdicts.append(_ratio_verdict(results, "--order taken at most 3 x --order name, " + where, filesystem, 10000,
                                       PHONE_TAKEN, PHONE_BY_NAME, 3))
        # Ten times the files, at most 1.2 x the time per file.
        verdicts.append(_linear(results, filesystem, PHONE_TAKEN, "--order taken, a phone's stills and videos,",
                                "stills"))
        for size in CHECKED_SIZES:
            verdicts.append(_ratio_verdict(
                results, "names beyond ASCII at most 2 x ASCII names, {:,} files, {}".format(size, filesystem),
                filesystem, size, NON_ASCII, ONE_PASS, 2))
    return verdicts


def _faster(results, target, filesystem, ours, rival):
    """ours at least 10 x faster than rival at 10,000 files."""
    rival_time = results.median(filesystem, 10000, rival)
    our_time = results.median(filesystem, 10000, ours)
    if rival_time is None or our_time is None:
        return _judge(target, "-", None)
    return _judge(target, "{:.1f} x ({:.3f} s / {:.3f} s)".format(rival_time / our_time, rival_time, our_time),
                  rival_time >= 10 * our_time)


def _linear(results, filesystem, contestant, what, files="files"):
    target = "linear: {} on 100,000 {} at most 12 x 10,000 {}, {}".format(what, files, files, filesystem)
    small = results.median(filesystem, 10000, contestant)
    big = results.median(filesystem, 100000, contestant)
    if small is None or big is None:
        return _judge(target, "-", None)
    return _judge(target, "{:.1f} x".format(big / small), big <= 12 * small)
