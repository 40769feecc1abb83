#!/usr/bin/env python3
"""Runs every benchmark of bench/ once and prints each figure beside its goal and its peers.

Usage: bench/report.py [build-dir] [--repetitions N] [--quick]
Times are medians of processor time over the repetitions, except for the rebuilds, which share
their work with a second thread and are timed by the clock; the view is measured under Xvfb.
The engine rows are measured with the allocator the programs ship with; beside them, the same
with the system's.
--quick leaves out Boost.Geometry's two slowest random cases (several seconds each).
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile


def run_benchmark(binary, repetitions, extra=(), clock="cpu_time"):
    """Medians of `clock` (processor time, or real_time) in ms by benchmark name, and the
    program's text output."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        args = [binary, f"--benchmark_repetitions={repetitions}",
                "--benchmark_report_aggregates_only=true",
                f"--benchmark_out={out.name}", "--benchmark_out_format=json", *extra]
        text = subprocess.run(args, check=True, capture_output=True, text=True).stdout
        data = json.load(open(out.name))
    medians = {}
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median" or b.get("run_type") == "iteration":
            name = re.sub(r"/(repeats:\d+|real_time)", "", b["run_name"])
            if b.get("aggregate_name") == "median" or name not in medians:
                medians[name] = b[clock] * scale[b["time_unit"]]
    return medians, text


def view_fps(build, program="bench_view_fps", args=("300", "120")):
    """Frames per second, and the program's text output."""
    binary = os.path.join(build, "bench", program)
    if not os.path.exists(binary) or not shutil.which("xvfb-run"):
        return None, ""
    env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1")
    env.setdefault("XDG_RUNTIME_DIR", tempfile.mkdtemp())
    text = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", binary, *args],
                          capture_output=True, text=True, env=env).stdout
    (fps,) = figures(text, r"= ([0-9.]+) frames per second")
    return fps, text


def figures(text, pattern):
    """The numbers the pattern's groups match in text; None for each when it does not match."""
    m = re.search(pattern, text)
    return tuple(float(g) for g in m.groups()) if m else (None,) * re.compile(pattern).groups


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default="build")
    ap.add_argument("--repetitions", type=int, default=5)
    ap.add_argument("--quick", action="store_true")
    a = ap.parse_args()
    b = lambda name: os.path.join(a.build, "bench", name)
    rows = []  # (what, measured, unit, goal, lower is better, peers)

    pipe, _ = run_benchmark(b("bench_pipeline"), a.repetitions,
                            ["--benchmark_filter=BM_RebuildBuiltFaces/|OneFace"], clock="real_time")
    rows.append(("rebuildBuiltFaces, 150 faces", pipe.get("BM_RebuildBuiltFaces/150"), "ms", 16, True, ""))
    rows.append(("rebuildBuiltFaces, 300 faces", pipe.get("BM_RebuildBuiltFaces/300"), "ms", 33, True, ""))
    full = pipe.get("BM_RebuildBuiltFaces/300")
    edit = pipe.get("BM_RebuildAfterOneFaceEdit/300")
    rows.append(("rebuild after a one-face edit, 300 faces", edit, "ms", 8, True,
                 f"{edit / full:.2f} of a full rebuild" if edit and full else ""))

    fps, text = view_fps(a.build)
    rows.append(("view, 300 faces, 1280x800, llvmpipe", fps, "fps", 60, False, ""))
    (slowest,) = figures(text, r"slowest frame ([0-9.]+) ms")
    rows.append(("view, slowest frame of the camera turn", 1000 / slowest if slowest else None,
                 "fps", 30, False, f"{slowest:.1f} ms" if slowest else ""))
    # One face moved, the rebuild that follows every edit, and its frame: within 1/30 s.
    median, to_screen = figures(text, r"edit to screen ([0-9.]+) ms, slowest ([0-9.]+) ms")
    rows.append(("edit to screen, slowest of 20, 300 faces", to_screen, "ms", 33, True,
                 f"median {median:.1f} ms" if median else ""))
    # Dragging 30 selected faces with the gizmo: the model changes every frame.
    drag, _ = view_fps(a.build, "bench_face_drag_fps", ("300", "30", "120"))
    rows.append(("face-operation drag, 300 faces, llvmpipe", drag, "fps", 30, False, ""))

    extra = ["--benchmark_min_time=0.05"]
    if a.quick:
        extra.append("--benchmark_filter=-random/boost/(1000|2000)")

    def engine_summary(program):
        """ours/Clipper and ours/Boost by workload family, from the program's summary."""
        if not os.path.exists(b(program)):
            return {}
        _, text = run_benchmark(b(program), min(a.repetitions, 3), extra)
        summary = {}
        for line in text.splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] in ("comb", "random", "regular", "all"):
                summary[parts[0]] = (float(parts[1]), float(parts[2]))
        return summary

    # With the allocator the programs ship with, and with the system's (see bench/CMakeLists.txt).
    summary = engine_summary("bench_polygon_engine")
    system = engine_summary("bench_polygon_engine_system_malloc")
    if "all" in summary:
        rows.append(("engine ours/Clipper 6.4, geometric mean", summary["all"][0], "x", 0.6, True,
                     f"system allocator {system['all'][0]:.3f}" if "all" in system else ""))
    for family in ("regular", "comb", "random"):
        if family in summary:
            peers = f"ours/Clipper {summary[family][0]:.2f}"
            if family in system:
                peers += f"; system allocator {system[family][1]:.3f}, ours/Clipper {system[family][0]:.2f}"
            rows.append((f"engine ours/Boost.Geometry, {family}", summary[family][1], "x", 0.33,
                         True, peers))

    pattern, _ = run_benchmark(b("bench_pattern"), a.repetitions, ["--benchmark_filter=BM_PatternIndexed"])
    rows.append(("pattern, 300 faces", pattern.get("BM_PatternIndexed"), "ms", 20, True, ""))
    model_file, _ = run_benchmark(b("bench_model_file"), a.repetitions,
                                  ["--benchmark_filter=writeAndReadFile"])
    rows.append(("model file write+read, 300 faces", model_file.get("writeAndReadFile/300"), "ms", 5, True, ""))

    print(f"\n{'what':44} {'measured':>12} {'goal':>8} {'to goal':>8} {'slower x2':>10}  peers")
    for what, value, unit, goal, lower, peers in rows:
        if value is None:
            print(f"{what:44} {'n/a':>12} {goal:>8}")
            continue
        # A ratio below 1 meets the goal; the last column is the same on a machine twice as slow.
        ratio = value / goal if lower else goal / value
        print(f"{what:44} {value:9.3f} {unit:>2} {goal:>8} {ratio:8.2f} {2 * ratio if unit != 'x' else ratio:10.2f}  {peers}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
