"""Writes one benchmark run as bench/results.md: the machine, the table of
medians with their ratios to the rename-only floor, the targets, and what
explains the numbers (CPU time, system calls per entry, micro-benchmarks)."""

import phone_media
from targets import FLOOR, Results

REPRODUCE = "make bench"


def seconds(value):
    if value is None:
        return "-"
    if value < 1:
        return "{:.1f} ms".format(value * 1000)
    return "{:.2f} s".format(value)


def _cell(results, filesystem, size, contestant):
    record = results.record(filesystem, size, contestant.key)
    if record is None:
        return "-"
    if record["status"] != "timed":
        return "**{}**: {}".format(record["status"], record.get("detail", ""))
    text = seconds(record["median"])
    floor = results.median(filesystem, size, FLOOR)
    if floor:
        text += " ({:.2f} x)".format(record["median"] / floor)
    return text


def results_table(records, contestants, filesystem, sizes):
    """The markdown table of one file system: a row per contestant, a column per size."""
    results = Results(records)
    lines = ["| contestant | " + " | ".join("{:,} files".format(size) for size in sizes) + " |",
             "|---|" + "---:|" * len(sizes)]
    for contestant in contestants:
        cells = [_cell(results, filesystem, size, contestant) for size in sizes]
        lines.append("| {} | {} |".format(contestant.label, " | ".join(cells)))
    return "\n".join(lines)


def summary_table(run):
    """The short table of README.md: every contestant at 10,000 and 100,000
    files on each file system (the sizes the targets are checked at)."""
    results = Results(run["records"])
    columns = [(filesystem, size) for filesystem in run["filesystems"] for size in run["sizes"]
               if size >= 10000 and (size < 1000000 or filesystem == "tmpfs")]
    lines = ["| contestant | " + " | ".join("{} {:,}".format(filesystem, size) for filesystem, size in columns) + " |",
             "|---|" + "---:|" * len(columns)]
    for contestant in run["contestants"]:
        cells = []
        for filesystem, size in columns:
            record = results.record(filesystem, size, contestant.key)
            if not record or record["status"] == "not run":
                cells.append("-")
            elif record["status"] != "timed":
                cells.append(record["status"])
            else:
                floor = results.median(filesystem, size, FLOOR)
                cells.append(seconds(record["median"]) + (" ({:.2f} x)".format(record["median"] / floor) if floor else ""))
        lines.append("| {} | {} |".format(contestant.label, " | ".join(cells)))
    return "\n".join(lines)


def summary_caption(run):
    machine = dict(run["machine"])
    caption = "Median wall time, in brackets the ratio to the rename-only floor; {}, {}.".format(
        machine["Date"], machine.get("Source", "source not recorded"))
    if run.get("note"):
        caption += " " + run["note"]
    return caption


def _machine_section(machine):
    lines = ["| | |", "|---|---|"]
    lines += ["| {} | {} |".format(label, value) for label, value in machine]
    return "\n".join(lines)


def _targets_section(verdicts):
    marks = {"met": "**met**", "missed": "**MISSED**", "not measured": "not measured"}
    lines = ["| target | measured | verdict |", "|---|---|---|"]
    lines += ["| {} | {} | {} |".format(v.target, v.measured, marks[v.verdict]) for v in verdicts]
    return "\n".join(lines)


def _cpu_section(records, contestants, filesystems, size):
    results = Results(records)
    lines = ["| contestant | file system | wall µs/entry | user µs/entry | system µs/entry | peak RSS |",
             "|---|---|---:|---:|---:|---:|"]
    for contestant in contestants:
        for filesystem in filesystems:
            record = results.record(filesystem, size, contestant.key)
            if not record:
                continue
            rss = "{:.1f} MiB".format(record["maxrss_kib"] / 1024) if record.get("maxrss_kib") else "-"
            if record["status"] != "timed":
                lines.append("| {} | {} | {} | | | {} |".format(contestant.label, filesystem, record["status"], rss))
                continue
            per_entry = [1e6 * record[field] / size for field in ("median", "user", "system")]
            lines.append("| {} | {} | {:.2f} | {:.2f} | {:.2f} | {} |".format(
                contestant.label, filesystem, *per_entry, rss))
    return "\n".join(lines)


def _syscall_section(profile):
    if not profile["rows"]:
        return "(strace was not available: not counted)"
    columns = list(profile["rows"][0]["per_entry"].keys())
    lines = ["| contestant | " + " | ".join(columns) + " |", "|---|" + "---:|" * len(columns)]
    for row in profile["rows"]:
        lines.append("| {} | {} |".format(row["label"], " | ".join(
            "{:.2f}".format(row["per_entry"][column]) for column in columns)))
    return "\n".join(lines)


def _renames_section(run):
    """The renames each tarvine-renumber row made, and before this change."""
    rows = run.get("rename_counts") or []
    if not rows:
        return "(not counted)"
    baseline = any("baseline" in row for row in rows)
    lines = ["| directory | files | renames | " + ("before this change |" if baseline else ""),
             "|---|---:|---:|" + ("---:|" if baseline else "")]
    for row in rows:
        count = lambda value: "-" if value is None else "{:,}".format(value)
        cells = [row["label"], "{:,}".format(row["size"]), count(row.get("ours"))]
        if baseline:
            cells.append(count(row.get("baseline")))
        lines.append("| " + " | ".join(cells) + " |")
    return "\n".join(lines)


def _micro_section(rows):
    if not rows:
        return "(the micro-benchmarks were not built: not run)"
    lines = ["| benchmark | time | CPU | items/s |", "|---|---:|---:|---:|"]
    for row in rows:
        items = "{:,.0f}".format(row["items_per_second"]) if row["items_per_second"] else ""
        lines.append("| {} | {:.3g} {} | {:.3g} {} | {} |".format(
            row["name"], row["real_time"], row["unit"], row["cpu_time"], row["unit"], items))
    return "\n".join(lines)


def render(run):
    """The whole results file; run is what run_benchmarks.py saved."""
    contestants, filesystems, sizes = run["contestants"], run["filesystems"], run["sizes"]
    records = run["records"]
    parts = [
        "# Renumbering benchmark",
        "",
        "Written by `{}` (bench/run_benchmarks.py); run it again to regenerate this file.".format(REPRODUCE),
        "",
    ]
    parts += [
        "## Summary",
        "",
        summary_caption(run) + " The targets are checked below.",
        "",
        summary_table(run),
        "",
        "## Machine",
        "",
        _machine_section(run["machine"]),
        "",
        "Load average at the start: {}; at the end: {}. The run took {:.0f} minutes.".format(
            run["load_before"], run["load_after"], run.get("minutes", 0)),
        "",
        "## Method",
        "",
        "Each contestant renumbers a directory of N empty files named like a camera dump (IMG_000001.jpg ...),",
        "entered in a fixed shuffled order so that the directory's own order is not name order, to",
        "000001.jpg ... in name order. The directory lies six directories deep",
        "({}), and tarvine-renumber is given the named file by its absolute path, as".format(
            ", ".join(run["directories"].values())),
        "the window gives it. The directory is rebuilt (and the file system synced) before every",
        "run by hyperfine's `--prepare`, outside the timed part, as hard links to a template directory",
        "(bench/camera_dump.py says why); the cache is warm. Three rows of tarvine-renumber start from a",
        "directory numbered before (000001.jpg ...): as it is (nothing moves), with 10 new pictures that",
        "sort after the old names (IMG_000001.jpg ...: they become N+1 ... N+10), and, numbered with the",
        "prefix trip-, with 10 new pictures that sort first (every old picture moves up 10). The",
        "list-and-sort floor runs on the directory of the second of these. At 1,000,000 files only",
        "tarvine-renumber and the rename-only floor run, on tmpfs.",
        "The phone's directory holds N HEIC stills and N/10 videos, half MOV, half MP4 (IMG_000000.HEIC ...,",
        "every eleventh a video), each a copy of a tiny file made with heif-enc, exiftool and ffmpeg with its",
        "own capture time patched in (bench/phone_media.py), in an order of their own: numbered in the order",
        "taken, the videos' UTC times turned into the phone's zone ({}).".format(phone_media.PHONE_ZONE),
        "Before it is timed, each contestant runs once on a directory whose files hold their own names, and",
        "the result is checked: every number 1..N present once, number k holding the k-th name in name",
        "order. A wrong result is shown as wrong and not timed.",
        "",
        "Times are medians of {} hyperfine runs, taken in rounds that".format(run["runs_text"]),
        "time each contestant in turn, so that a burst of load on a shared machine falls on all alike.",
        "The shell loop, which starts a process per file, gets at most 3 runs and is not run above",
        "10,000 files (the table gives its time estimated from 10,000 files). The ratio in brackets",
        "divides by the rename-only floor's median of the same size and file system in this run.",
        "",
        "The rename-only floor (bench/floor_rename_only.c) does only what the job needs: readdir, a",
        "byte-order sort, one renameat2(RENAME_NOREPLACE) per entry. The per-entry floor",
        "(bench/floor_per_entry.c) adds one lstat per entry and one existence test before each rename.",
        "",
        "## Results: median wall time (ratio to the rename-only floor)",
        "",
    ]
    for filesystem in filesystems:
        shown = [size for size in sizes if size < 1000000 or filesystem == "tmpfs"]
        parts += ["### {} ({})".format(filesystem, run["directories"][filesystem]), "",
                  results_table(records, contestants, filesystem, shown), ""]
    parts += [
        "## Targets",
        "",
        "\"Every other tool\" means the four other renaming programs; the floors are the yardsticks.",
        "",
        _targets_section(run["verdicts"]),
        "",
        "## Renames made",
        "",
        "The lines of renum.log after one run with --log on each directory, on {}.".format(
            run["syscalls"]["filesystem"]) + (" \"Before this change\" is tarvine-renumber built at {}.".format(
                run["baseline"]) if run.get("baseline") else ""),
        "",
        _renames_section(run),
        "",
    ]
    for size in sorted({min(max(sizes), 100000), max(sizes)}):
        parts += [
            "## CPU time and memory per entry at {:,} files".format(size),
            "",
            "Wall time is the median; user and system time are hyperfine's means; peak RSS is the maximum",
            "resident set size of the verification run (GNU time), children included.",
            "",
            _cpu_section(records, contestants, filesystems, size),
            "",
        ]
    parts += [
        "## System calls per entry",
        "",
        "strace -c -f of one run on {:,} files ({}), divided by the number of files.".format(
            run["syscalls"]["size"], run["syscalls"]["filesystem"]),
        "",
        _syscall_section(run["syscalls"]),
        "",
        "## Micro-benchmarks (bench/micro, Google Benchmark)",
        "",
        "`build-bench/bench/micro/tarvine_micro_bench`; the listing loads a directory under $TMPDIR (else /tmp).",
        "(Debian builds libbenchmark without NDEBUG, so it warns that it is a debug build: that concerns",
        "its own timing loop, not the code measured, which build-bench compiles with -O2 and NDEBUG.)",
        "",
        _micro_section(run["micro"]),
        "",
    ]
    return "\n".join(parts)
