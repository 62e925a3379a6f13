"""System calls per entry of a renumbering run, counted with strace -c -f:
where a program's time goes beyond the rename-only floor's one renameat2 per
entry."""

import os
import subprocess
import tempfile

# The calls whose counts per entry the results file shows, in this order; the
# rest are summed up as "other".
# (glibc's lstat and fstatat are both newfstatat.)
SHOWN_CALLS = ["renameat2", "rename", "newfstatat", "statx", "getdents64"]


def count_calls(command, directory, environment):
    """{syscall: calls} of one run of command in directory, children included."""
    with tempfile.NamedTemporaryFile("r", suffix=".strace") as summary:
        subprocess.run(["strace", "-c", "-f", "-o", summary.name, "sh", "-c", "cd '{}' && {}".format(directory, command)],
                       env=environment, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return _parse_summary(summary.read())


def _parse_summary(text):
    """The calls column of strace -c's table, by syscall name."""
    calls = {}
    for line in text.splitlines():
        fields = line.split()
        # "% time seconds usecs/call calls [errors] syscall"
        if len(fields) < 5 or not fields[0].replace(".", "").isdigit() or fields[-1] == "total":
            continue
        calls[fields[-1]] = int(fields[3])
    return calls


def per_entry(calls, count):
    """The shown calls and 'other' and 'total', each divided by the entry count."""
    shown = {name: calls.get(name, 0) / count for name in SHOWN_CALLS}
    other = sum(value for name, value in calls.items() if name not in SHOWN_CALLS)
    shown["other"] = other / count
    shown["total"] = sum(calls.values()) / count
    return shown


def have_strace():
    return any(os.access(os.path.join(path, "strace"), os.X_OK) for path in os.environ.get("PATH", "").split(":"))
