#!/usr/bin/env python3
"""The renumbering benchmark: times tarvine-renumber, the floor programs and
four other renaming tools on camera dumps of 1,000, 10,000 and 100,000 files,
on the root disk and on tmpfs, with tarvine-renumber also on directories
numbered before (with 10 new pictures sorting after or before the old
names), on JPEGs and on a phone's HEIC stills and videos numbered in the
order taken, and on 1,000,000 files on tmpfs, and writes bench/results.md. Each
directory lies six directories deep, and tarvine-renumber is given its
absolute path, as the window gives it.

Run through `make bench`, which builds build-bench/ and installs the tools
first. For each file system and size: one verification run of every
contestant on a directory whose files hold their own names (a wrong result is
reported, not timed), then rounds of hyperfine runs, each with a --prepare
step that rebuilds the directory outside the timed part. Then the system
calls per entry (strace) and the micro-benchmarks. Everything of one run is
saved in build-bench/bench-run.json; --report-only writes results.md from it
again.

--baseline-ref REF builds tarvine-renumber as it was at the commit REF
(build-bench/baseline/) and times it beside today's; --baseline PROGRAM
takes one built already; it runs in name order and in the order taken (on
the JPEGs). The renames of each tarvine-renumber row are counted (a run with
--log) for both.
"""

import argparse
import dataclasses
import json
import os
import shlex
import statistics
import subprocess
import sys
import tempfile
import time

import machine
import micro_benchmarks
import phone_media
import report
import syscall_profile
import targets
from contestants import BENCH_DIR, COUNTED, MILLION, Contestant, contestants
from verify import verify

PROJECT_DIR = os.path.dirname(BENCH_DIR)
PYTHON = "/usr/bin/python3"
# Where the directories to renumber are made: the root disk and a RAM disk,
# each six directories deep, as a user's pictures lie.
BENCH_ROOTS = {
    "root disk": "/var/tmp/tarvine-bench",
    "tmpfs": "/dev/shm/tarvine-bench",
}
WORK_DIRECTORIES = {filesystem: root + "/user/Pictures/2024/holiday" for filesystem, root in BENCH_ROOTS.items()}
SIZES = [1000, 10000, 100000, MILLION]
# The million files are made on tmpfs only.
MILLION_FILESYSTEMS = ["tmpfs"]
# Timed runs by size: (rounds, runs of each contestant in each round).
ROUNDS = {1000: (5, 2), 10000: (5, 1), 100000: (3, 1), MILLION: (3, 1)}
# The shell loop starts a process per file: some 15 s a run at 10,000 files
# and 2.5 minutes at 100,000 here. It is timed in at most SLOW_RUNS rounds,
# and above SLOW_SIZE_LIMIT files it is left out unless --slow-everywhere.
SLOW_RUNS = 3
SLOW_SIZE_LIMIT = 10000
# README.md's table of the latest run stands between these two lines.
README_START = "<!-- bench table: written by make bench BENCH_ARGS=--update-readme -->"
README_END = "<!-- end of bench table -->"
PROFILE_SIZE = 10000
PROFILED = ["tarvine", "tarvine-two-pass", "floor-rename-only", "floor-per-entry", "perl-rename", "python"]
# Every command sees names in byte order (shell globs, sort), no colours,
# and the zone of the phone whose videos' UTC times are turned into its clock.
ENVIRONMENT = dict(os.environ, LC_ALL="C", NO_COLOR="1", TZ=phone_media.PHONE_ZONE)
# The phone's template files, made afresh once a run in the build directory (main()).
phone_media_directory = os.path.join(PROJECT_DIR, "build-bench", "phone-media")


def prepare_command(directory, size, layout, tagged=False, kind="camera"):
    """Rebuilds the directory and writes it out, so the timed run starts clean."""
    words = [PYTHON, os.path.join(BENCH_DIR, "camera_dump.py"), directory, str(size), "--layout", layout,
             "--kind", kind]
    if kind == "phone":
        words += ["--media", phone_media_directory]
    if tagged:
        words.append("--tagged")
    return " ".join(shlex.quote(word) for word in words) + " && sync -f " + shlex.quote(directory)


def in_directory(directory, command):
    """The command run in the directory, with {directory} its absolute path."""
    return "cd {} && {}".format(shlex.quote(directory), command.replace("{directory}", shlex.quote(directory)))


def runs_at(contestant, filesystem, size):
    """Whether the contestant runs at this size on this file system."""
    if size == MILLION and filesystem not in MILLION_FILESYSTEMS:
        return False
    return size in contestant.sizes if contestant.sizes else size <= 100000


def verification_run(contestant, directory, size):
    """(None or what is wrong, peak RSS in KiB) of one run on a tagged directory."""
    subprocess.run(prepare_command(directory, size, contestant.layout, tagged=True, kind=contestant.kind),
                   shell=True, check=True, env=ENVIRONMENT)
    with tempfile.NamedTemporaryFile("r", suffix=".time") as usage:
        finished = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", usage.name,
                                   "sh", "-c", in_directory(directory, contestant.command)],
                                  env=ENVIRONMENT, capture_output=True, text=True)
        lines = usage.read().split()
        maxrss_kib = int(lines[-1]) if lines and lines[-1].isdigit() else None
    if finished.returncode != 0:
        message = (finished.stderr.strip().splitlines() or ["no message"])[-1]
        return "exit status {}: {}".format(finished.returncode, message[:120]), maxrss_kib
    if not contestant.renumbers:
        return None, maxrss_kib
    return verify(directory, size, contestant.layout, contestant.kind, contestant.order), maxrss_kib


def timed_runs(contestant, directory, size, runs):
    """hyperfine's result for the contestant (median, mean, user, system ...)."""
    with tempfile.NamedTemporaryFile("r", suffix=".json") as export:
        subprocess.run(["hyperfine", "--style", "basic", "--runs", str(runs),
                        "--export-json", export.name,
                        "--prepare", prepare_command(directory, size, contestant.layout, kind=contestant.kind),
                        "--command-name", "{} ({:,} files)".format(contestant.label, size),
                        in_directory(directory, contestant.command)],
                       env=ENVIRONMENT, check=True)
        return json.load(export)["results"][0]


def drop_templates(directory, keep_size=None):
    """Removes the template directories beside directory, but those of
    keep_size: a million files need most of the inodes tmpfs has."""
    templates = os.path.join(os.path.dirname(directory), "templates")
    if not os.path.isdir(templates):
        return
    for name in os.listdir(templates):
        if keep_size is None or not name.split(".")[0].split("-tagged")[0].endswith("-{}".format(keep_size)):
            subprocess.run(["rm", "-rf", os.path.join(templates, name)], check=True)


def measure_size(chosen, filesystem, directory, size, rounds, runs_per_round, slow_everywhere, earlier):
    """The records of every chosen contestant at one size on one file system.

    Each contestant is verified first. The timed runs then come in rounds,
    every round timing each contestant in turn, so that a burst of load on a
    shared machine falls on all of them alike rather than on whichever one
    was being timed at that moment."""
    records, samples = {}, {}
    chosen = [contestant for contestant in chosen if runs_at(contestant, filesystem, size)]
    for contestant in chosen:
        if contestant.slow and size > SLOW_SIZE_LIMIT and not slow_everywhere:
            records[contestant.key] = left_out(contestant, filesystem, size, earlier)
            continue
        print("\n== verifying {} on {}, {:,} files".format(contestant.label, filesystem, size), flush=True)
        wrong, maxrss_kib = verification_run(contestant, directory, size)
        records[contestant.key] = {"filesystem": filesystem, "size": size, "contestant": contestant.key,
                                   "maxrss_kib": maxrss_kib}
        if wrong:
            print("   wrong result, not timed: " + wrong, flush=True)
            records[contestant.key].update(status="wrong", detail=wrong)
        else:
            samples[contestant.key] = {"times": [], "user": 0.0, "system": 0.0}

    for round_number in range(1, rounds + 1):
        for contestant in chosen:
            sample = samples.get(contestant.key)
            if sample is None or (contestant.slow and round_number > SLOW_RUNS):
                continue
            print("\n== round {} of {}: {} on {}".format(round_number, rounds, contestant.label, filesystem), flush=True)
            try:
                result = timed_runs(contestant, directory, size, runs_per_round)
            except subprocess.CalledProcessError:
                records[contestant.key].update(status="failed", detail="a timed run failed")
                del samples[contestant.key]
                continue
            runs = len(result["times"])
            sample["times"] += result["times"]
            sample["user"] += result["user"] * runs  # hyperfine gives means: kept as sums here
            sample["system"] += result["system"] * runs

    for key, sample in samples.items():
        times = sorted(sample["times"])
        records[key].update(status="timed", runs=len(times), median=statistics.median(times),
                            mean=statistics.fmean(times), min=times[0], max=times[-1],
                            user=sample["user"] / len(times), system=sample["system"] / len(times))
    return [records[contestant.key] for contestant in chosen]


def count_syscalls(chosen, filesystem, directory):
    rows = []
    if not syscall_profile.have_strace():
        return rows
    for contestant in chosen:
        if contestant.key not in PROFILED:
            continue
        subprocess.run(prepare_command(directory, PROFILE_SIZE, contestant.layout, kind=contestant.kind),
                       shell=True, check=True)
        calls = syscall_profile.count_calls(contestant.command.replace("{directory}", shlex.quote(directory)),
                                            directory, ENVIRONMENT)
        rows.append({"label": contestant.label, "per_entry": syscall_profile.per_entry(calls, PROFILE_SIZE)})
    return rows


def count_renames(chosen, baseline, directory, size):
    """The renames each counted tarvine-renumber row makes at this size: the
    lines of renum.log after a run with --log; and those of the baseline
    program on the same directory, when there is one."""
    rows = []
    for contestant in chosen:
        if contestant.key not in COUNTED:
            continue
        row = {"label": contestant.label, "layout": contestant.layout, "size": size}
        programs = {"ours": contestant.command}
        if baseline:
            programs["baseline"] = contestant.command.replace(contestant.command.split()[1], baseline, 1)
        for which, command in programs.items():
            subprocess.run(prepare_command(directory, size, contestant.layout), shell=True, check=True,
                           env=ENVIRONMENT)
            finished = subprocess.run(["sh", "-c", in_directory(directory, command + " --log")], env=ENVIRONMENT,
                                      capture_output=True, text=True)
            log = os.path.join(directory, "renum.log")
            if finished.returncode == 0 and os.path.exists(log):
                with open(log, "rb") as file:
                    row[which] = file.read().count(b"\n")
            else:
                row[which] = None
        rows.append(row)
    return rows


def build_baseline(ref, build_dir):
    """tarvine-renumber as it was at the commit ref, built beside this
    build with the same flags; its path."""
    source = os.path.join(build_dir, "baseline", "source")
    binary_dir = os.path.join(build_dir, "baseline", "build")
    subprocess.run(["rm", "-rf", source], check=True)
    os.makedirs(source)
    subprocess.run("git -C {} archive {} | tar -x -C {}".format(shlex.quote(PROJECT_DIR), shlex.quote(ref),
                                                               shlex.quote(source)), shell=True, check=True)
    subprocess.run(["cmake", "-S", source, "-B", binary_dir, "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -g -DNDEBUG", "-DTARVINE_TESTS=OFF", "-DTARVINE_PACKAGE=OFF"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", binary_dir, "-j", str(os.cpu_count() or 2), "--target", "tarvine-renumber"],
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(binary_dir, "cli", "tarvine-renumber")


def total_runs(size, runs_override):
    if runs_override:
        return runs_override
    rounds, runs_per_round = ROUNDS.get(size, (3, 1))
    return rounds * runs_per_round


def left_out(contestant, filesystem, size, records):
    """The record of a slow contestant not run at this size: with its time
    estimated linearly from the largest size it was timed at."""
    timed = [r for r in records if r["contestant"] == contestant.key and r["filesystem"] == filesystem
             and r["status"] == "timed"]
    detail = "a process per file"
    if timed:
        largest = max(timed, key=lambda r: r["size"])
        detail += ", about {}".format(report.seconds(largest["median"] * size / largest["size"]))
    return {"filesystem": filesystem, "size": size, "contestant": contestant.key,
            "status": "not run", "detail": detail}


def update_readme(run):
    """Replaces the table between README.md's bench markers with this run's."""
    readme = os.path.join(PROJECT_DIR, "README.md")
    with open(readme) as file:
        text = file.read()
    start, end = text.index(README_START) + len(README_START), text.index(README_END)
    table = "\n{}\n\n{}\n".format(report.summary_caption(run), report.summary_table(run))
    with open(readme, "w") as file:
        file.write(text[:start] + table + text[end:])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build-dir", default=os.path.join(PROJECT_DIR, "build-bench"))
    parser.add_argument("--sizes", default=",".join(map(str, SIZES)), help="comma-separated file counts")
    parser.add_argument("--filesystems", default=",".join(WORK_DIRECTORIES), help="comma-separated")
    parser.add_argument("--contestants", default="", help="comma-separated keys (default: all)")
    parser.add_argument("--baseline-ref", default="", help="a commit whose tarvine-renumber is timed beside today's")
    parser.add_argument("--baseline", default="", help="a tarvine-renumber built already, timed beside today's")
    parser.add_argument("--runs", type=int, default=0,
                        help="rounds of one timed run each, at every size (default: 10 / 5 / 3 runs by size)")
    parser.add_argument("--slow-everywhere", action="store_true",
                        help="run the shell loop at every size (some 5 minutes a run at 100,000 files)")
    parser.add_argument("--micro-min-time", type=float, default=0.2, help="seconds per micro-benchmark")
    parser.add_argument("--note", default="", help="a line for the results file, e.g. that the machine was shared")
    parser.add_argument("--output", default=os.path.join(BENCH_DIR, "results.md"))
    parser.add_argument("--report-only", action="store_true", help="rewrite the results file from the last run")
    parser.add_argument("--update-readme", action="store_true",
                        help="also put the summary table into README.md's Performance section")
    arguments = parser.parse_args()
    # The commands run from inside the work directories.
    arguments.build_dir = os.path.abspath(arguments.build_dir)
    global phone_media_directory
    phone_media_directory = os.path.join(arguments.build_dir, "phone-media")
    saved_run = os.path.join(arguments.build_dir, "bench-run.json")

    baseline = os.path.abspath(arguments.baseline) if arguments.baseline else None
    if arguments.baseline_ref and not arguments.report_only:
        baseline = build_baseline(arguments.baseline_ref, arguments.build_dir)
    all_contestants = contestants(arguments.build_dir, baseline)
    if arguments.report_only:
        with open(saved_run) as file:
            run = json.load(file)
    else:
        sizes = [int(size) for size in arguments.sizes.split(",")]
        filesystems = arguments.filesystems.split(",")
        keys = arguments.contestants.split(",") if arguments.contestants else [c.key for c in all_contestants]
        chosen = [c for c in all_contestants if c.key in keys]
        if any(c.kind == "phone" for c in chosen):
            phone_media.make(phone_media_directory)
        directories = {filesystem: WORK_DIRECTORIES[filesystem] for filesystem in filesystems}

        started = time.monotonic()
        run = {"sizes": sizes, "filesystems": filesystems, "directories": directories,
               "baseline": arguments.baseline_ref or baseline,
               "note": arguments.note, "load_before": machine.load_average(),
               "machine": machine.describe(BENCH_DIR, directories),
               "runs_text": " / ".join("{} ({:,} files)".format(total_runs(size, arguments.runs), size)
                                       for size in sizes),
               "records": []}
        for filesystem in filesystems:
            for size in sizes:
                rounds, runs_per_round = (arguments.runs, 1) if arguments.runs else ROUNDS.get(size, (3, 1))
                big = size == MILLION and filesystem in MILLION_FILESYSTEMS
                if big:
                    drop_templates(WORK_DIRECTORIES[filesystem], keep_size=size)
                run["records"] += measure_size(chosen, filesystem, WORK_DIRECTORIES[filesystem], size, rounds,
                                               runs_per_round, arguments.slow_everywhere, run["records"])
                if big:
                    drop_templates(WORK_DIRECTORIES[filesystem])
        profile_filesystem = "tmpfs" if "tmpfs" in filesystems else filesystems[0]
        run["syscalls"] = {"size": PROFILE_SIZE, "filesystem": profile_filesystem,
                           "rows": count_syscalls(chosen, profile_filesystem, WORK_DIRECTORIES[profile_filesystem])}
        counted_size = max([size for size in sizes if size <= 100000] or [min(sizes)])
        run["rename_counts"] = count_renames(chosen, baseline, WORK_DIRECTORIES[profile_filesystem], counted_size)
        for filesystem in filesystems:
            subprocess.run(["rm", "-rf", BENCH_ROOTS[filesystem]], check=True)
        run["micro"] = micro_benchmarks.run(arguments.build_dir, arguments.micro_min_time)
        run["load_after"] = machine.load_average()
        run["minutes"] = (time.monotonic() - started) / 60
        run["contestants"] = [dataclasses.asdict(c) for c in chosen]
        with open(saved_run, "w") as file:
            json.dump(run, file, indent=1)

    run["contestants"] = [Contestant(**c) for c in run["contestants"]]
    run["verdicts"] = targets.evaluate(run["records"], run["filesystems"], run.get("rename_counts", []))
    with open(arguments.output, "w") as file:
        file.write(report.render(run))
    print("\nWrote " + arguments.output)
    if arguments.update_readme:
        update_readme(run)
        print("Updated the table of README.md")
    for verdict in run["verdicts"]:
        print("  {:13} {}: {}".format(verdict.verdict, verdict.target, verdict.measured))
    return 0


if __name__ == "__main__":
    sys.exit(main())
