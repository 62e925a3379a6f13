"""Runs the Google Benchmark micro-benchmarks (bench/micro/) and keeps what
the results file shows of each: its name, time per iteration and items per
second."""

import json
import os
import subprocess
import tempfile


def run(build_dir, min_time):
    """The benchmarks' rows; empty when the program was not built."""
    program = os.path.join(build_dir, "bench", "micro", "tarvine_micro_bench")
    if not os.access(program, os.X_OK):
        return []
    with tempfile.NamedTemporaryFile("r", suffix=".json") as output:
        subprocess.run([program, "--benchmark_min_time={}".format(min_time), "--benchmark_format=console",
                        "--benchmark_out_format=json", "--benchmark_out=" + output.name], check=True)
        report = json.load(output)
    rows = []
    for benchmark in report["benchmarks"]:
        if benchmark.get("run_type") == "aggregate":
            continue
        rows.append({
            "name": benchmark["name"],
            "real_time": benchmark["real_time"],
            "cpu_time": benchmark["cpu_time"],
            "unit": benchmark["time_unit"],
            "items_per_second": benchmark.get("items_per_second"),
        })
    return rows
