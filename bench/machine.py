"""What the benchmark ran on: the lines of the results file's machine
section, so that a table is never read without its machine."""

import datetime
import os
import platform
import subprocess


def _first_line(command):
    try:
        output = subprocess.run(command, capture_output=True, text=True, timeout=60).stdout
        output = output or ""
    except (OSError, subprocess.TimeoutExpired):
        return "(not installed)"
    lines = [line for line in output.splitlines() if line.strip()]
    return lines[0].strip() if lines else "(no version)"


def _cpu_model():
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor() or "unknown"


def _memory():
    with open("/proc/meminfo") as meminfo:
        for line in meminfo:
            if line.startswith("MemTotal:"):
                return "{:.1f} GiB".format(int(line.split()[1]) / 1024 / 1024)
    return "unknown"


def file_system(directory):
    """'ext4 on /dev/vda (rw,relatime,...)' for the file system that holds,
    or will hold, directory."""
    while not os.path.exists(directory):
        directory = os.path.dirname(directory)
    output = subprocess.run(["findmnt", "-n", "-o", "FSTYPE,SOURCE,OPTIONS", "--target", directory],
                            capture_output=True, text=True).stdout.split()
    if len(output) < 3:
        return "unknown"
    return "{} on {} ({})".format(output[0], output[1], output[2])


def _renamer_version(bench_dir):
    package = os.path.join(bench_dir, "node_modules", "renamer", "package.json")
    try:
        import json
        with open(package) as file:
            return "renamer " + json.load(file)["version"]
    except (OSError, ValueError, KeyError):
        return "(not installed)"


def source_version(project_dir):
    """The commit measured, and whether the work tree had changes beside it."""
    commit = _first_line(["git", "-C", project_dir, "rev-parse", "--short", "HEAD"])
    changes = subprocess.run(["git", "-C", project_dir, "status", "--porcelain", "--untracked-files=no"],
                             capture_output=True, text=True).stdout.strip()
    return "commit {}{}".format(commit, " with uncommitted changes" if changes else "")


def load_average():
    return "{:.2f} {:.2f} {:.2f}".format(*os.getloadavg())


def describe(bench_dir, directories):
    """(label, value) pairs; directories maps a file system's label to the
    directory the benchmark used on it."""
    lines = [
        ("Date", datetime.datetime.now().astimezone().strftime("%Y-%m-%d %H:%M %Z")),
        ("Source", source_version(os.path.dirname(bench_dir))),
        ("CPU", "{} ({} cores online)".format(_cpu_model(), os.cpu_count())),
        ("Memory", _memory()),
        ("Kernel", "{} {}".format(platform.system(), platform.release())),
        ("OS", _first_line(["sh", "-c", ". /etc/os-release && echo \"$PRETTY_NAME\""])),
    ]
    for label, directory in directories.items():
        lines.append(("File system, " + label, "{}: {}".format(directory, file_system(directory))))
    lines += [
        ("hyperfine", _first_line(["hyperfine", "--version"])),
        ("Compiler", _first_line(["c++", "--version"])),
        ("perl rename", _first_line(["file-rename", "--version"])),
        ("Python", _first_line(["/usr/bin/python3", "--version"])),
        ("Node.js", "node " + _first_line(["node", "--version"])),
        ("renamer", _renamer_version(bench_dir)),
        ("mv", _first_line(["mv", "--version"])),
        ("bash", _first_line(["bash", "--version"])),
    ]
    return lines
