"""The speed and memory targets of tarvine-renumber, checked against one run's
medians: each becomes met, missed, or not measured (a size or file system
left out of the run, or a contestant whose result was wrong)."""

from dataclasses import dataclass

FLOOR = "floor-rename-only"
ONE_PASS = "tarvine"
TWO_PASS = "tarvine-two-pass"
SLIDESHOW = "tarvine-slideshow"
WINDOW = "window"
TAKEN = "tarvine-taken"
PHOTOS_BY_NAME = "tarvine-photos-by-name"
EXIFTOOL = "exiftool-taken"
NON_ASCII = "tarvine-non-ascii"
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


def evaluate(records, filesystems):
    results = Results(records)
    verdicts = []
    for filesystem in filesystems:
        for size in CHECKED_SIZES:
            where = "{:,} files, {}".format(size, filesystem)
            ours = results.median(filesystem, size, ONE_PASS)
            floor = results.median(filesystem, size, FLOOR)
            two_pass = results.median(filesystem, size, TWO_PASS)

            if ours is not None and floor is not None:
                verdicts.append(_judge("one pass at most 1.25 x the rename-only floor, " + where,
                                       "{:.2f} x ({:.3f} s / {:.3f} s)".format(ours / floor, ours, floor),
                                       ours <= 1.25 * floor))
            else:
                verdicts.append(_judge("one pass at most 1.25 x the rename-only floor, " + where, "-", None))

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

            if two_pass is not None and floor is not None:
                verdicts.append(_judge("two passes at most 2.5 x the rename-only floor, " + where,
                                       "{:.2f} x ({:.3f} s)".format(two_pass / floor, two_pass),
                                       two_pass <= 2.5 * floor))
            else:
                verdicts.append(_judge("two passes at most 2.5 x the rename-only floor, " + where, "-", None))

        small = results.median(filesystem, 10000, ONE_PASS)
        big = results.median(filesystem, 100000, ONE_PASS)
        if small is not None and big is not None:
            verdicts.append(_judge("linear: 100,000 files at most 12 x 10,000 files, " + filesystem,
                                   "{:.1f} x".format(big / small), big <= 12 * small))
        else:
            verdicts.append(_judge("linear: 100,000 files at most 12 x 10,000 files, " + filesystem, "-", None))

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
        window = results.median(filesystem, 100000, WINDOW)
        command_line = results.median(filesystem, 100000, SLIDESHOW)
        if window is not None and command_line is not None:
            verdicts.append(_judge(target, "{:.2f} x ({:.3f} s / {:.3f} s)".format(
                window / command_line, window, command_line), window <= 1.3 * command_line))
        else:
            verdicts.append(_judge(target, "-", None))
    return verdicts


def _ratio_verdict(results, target, filesystem, size, numerator, denominator, limit):
    """numerator / denominator at most `limit`, both timed at one size."""
    top = results.median(filesystem, size, numerator)
    bottom = results.median(filesystem, size, denominator)
    if top is None or bottom is None:
        return _judge(target, "-", None)
    return _judge(target, "{:.2f} x ({:.3f} s / {:.3f} s)".format(top / bottom, top, bottom), top <= limit * bottom)


def _ordering_verdicts(results, filesystems):
    """The numbering orders: capture times read fast, names beyond ASCII
    placed at little cost."""
    verdicts = []
    for filesystem in filesystems:
        where = "10,000 JPEGs with Exif, " + filesystem
        exiftool = results.median(filesystem, 10000, EXIFTOOL)
        taken = results.median(filesystem, 10000, TAKEN)
        target = "--order taken at least 10 x faster than exiftool -fileOrder DateTimeOriginal, " + where
        if exiftool is not None and taken is not None:
            verdicts.append(_judge(target, "{:.1f} x ({:.3f} s / {:.3f} s)".format(exiftool / taken, exiftool, taken),
                                   exiftool >= 10 * taken))
        else:
            verdicts.append(_judge(target, "-", None))
        verdicts.append(_ratio_verdict(results, "--order taken at most 3 x --order name, " + where, filesystem, 10000,
                                       TAKEN, PHOTOS_BY_NAME, 3))
        verdicts.append(_linear(results, filesystem, TAKEN, "--order taken"))
        for size in CHECKED_SIZES:
            verdicts.append(_ratio_verdict(
                results, "names beyond ASCII at most 2 x ASCII names, {:,} files, {}".format(size, filesystem),
                filesystem, size, NON_ASCII, ONE_PASS, 2))
    return verdicts


def _linear(results, filesystem, contestant, what):
    target = "linear: {} on 100,000 files at most 12 x 10,000 files, {}".format(what, filesystem)
    small = results.median(filesystem, 10000, contestant)
    big = results.median(filesystem, 100000, contestant)
    if small is None or big is None:
        return _judge(target, "-", None)
    return _judge(target, "{:.1f} x".format(big / small), big <= 12 * small)
