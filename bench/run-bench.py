#!/usr/bin/env python3
"""The backup engine against xcopy, and the program itself, under Wine: run-bench.py BUILD_DIR.

Started by run-bench.sh inside the build's Wine prefix with a display (make bench). Everything is
timed with Wine on one CPU (wineserver and programs alike, through taskset); the up-to-date
passes also with Wine free to use every CPU. TV_BENCH_RUNS (3) repetitions, TV_BENCH_SIZES file
counts, TV_BENCH_CPU the CPU to pin to (the last one the bench may use). TV_BENCH_VERIFY_ONLY=1
times the verify alone, on the first size.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
BUILD = Path(sys.argv[1]).resolve()
WINE = os.environ["TV_WINE"]
PREFIX = Path(os.environ["WINEPREFIX"])
RUNS = int(os.environ.get("TV_BENCH_RUNS", "3"))
SIZES = [int(size) for size in os.environ.get("TV_BENCH_SIZES", "10000 50000").split()]
CPU = os.environ.get("TV_BENCH_CPU", str(max(os.sched_getaffinity(0))))
FOLDERS = 100
# the program's own figures: start-up with this many rows, then a backup of this many files
APP_ROWS = 1000
APP_FILES = 10000

BASE = PREFIX / "drive_c" / "tvbench"
TVBENCH = BUILD / "bench" / "tvbench.exe"


def winpath(path):
    return "Z:" + str(path).replace("/", "\\")


RUNNER = winpath(BUILD / "src" / "runner" / "tvbackup.exe")
NODRAIN = winpath(BUILD / "bench" / "tvbackup-nodrain.exe")
PROGRAM = winpath(BUILD / "src" / "app" / "Trellisvault.exe")
MINIMAL = winpath(BUILD / "bench" / "tvminimal.exe")


class Wine:
    """The prefix's wineserver and the programs run under it, on one CPU or on all."""

    def __init__(self):
        self.pinned = None

    def prefix(self):
        return ["taskset", "-c", CPU] if self.pinned else []

    def restart(self, pinned):
        if self.pinned == pinned:
            return
        quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        subprocess.run(["wineserver", "-k"], **quiet)
        subprocess.run(["wineserver", "-w"], **quiet)
        self.pinned = pinned
        # the server and the prefix's own processes, started from here, keep the affinity they start with
        subprocess.run(self.prefix() + ["wineserver", "-p"], check=True, **quiet)
        subprocess.run(self.prefix() + [WINE, "cmd", "/c", "exit"], **quiet)

    def bench(self, *args):
        """Runs tvbench and answers its key=value output."""
        done = subprocess.run(self.prefix() + [WINE, str(TVBENCH), *args], stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        values = {}
        for field in done.stdout.replace("\r", "").split():
            if "=" in field:
                key, value = field.split("=", 1)
                values[key] = float(value)
        if done.returncode != 0 or not values:
            print(f"warning: tvbench {' '.join(args)} ended with {done.returncode}: {done.stderr.strip()[-300:]}")
        return values

    def time(self, *command):
        return self.bench("time", *command)


def write_list(path, destination, lines):
    head = ["[Program]", "Trellisvault", "[Date]", "", "[Description]", "benchmark", "[CopyUpdated]", "TRUE",
            "[CopyHidden]", "FALSE", "[CopySystem]", "FALSE", "[Dest]", destination, "[Folders]"]
    path.write_bytes(("\r\n".join(head + lines) + "\r\n").encode("ascii"))


def make_tree(files):
    tag = f"{files // 1000}k"
    source = BASE / f"src{tag}"
    marker = BASE / f"src{tag}.complete"
    if not marker.exists() or marker.read_text() != str(files):
        shutil.rmtree(source, ignore_errors=True)
        subprocess.run([sys.executable, str(HERE / "gen-tree.py"), str(source), str(files), str(FOLDERS)], check=True)
    return tag


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else float("nan")


def mode_row(label, figure, target, digits):
    """A row of a figure pinned and unpinned; NaN, a figure not taken, shows as a dash."""
    cells = []
    for mode in ("pinned", "unpinned"):
        value = figure(mode)
        cells.append(f"{value:9.{digits}f}" if value == value else f"{'-':>9}")
    print(f"{label:58} {cells[0]} {cells[1]}   {target}")


class Samples:
    """Every run's figure under one name; read back as medians."""

    def __init__(self):
        self.values = {}

    def add(self, name, value):
        self.values.setdefault(name, []).append(value)

    def __getitem__(self, name):
        return median(self.values.get(name, []))

    def runs(self, name):
        return " ".join("-" if v is None else f"{v:.3f}" for v in self.values.get(name, []))


def measure_size(wine, files):
    tag = make_tree(files)
    source = f"C:\\tvbench\\src{tag}\\"
    mirror = f"C:\\tvbench\\dst{tag}\\C-Backup\\tvbench\\src{tag}\\"
    lists = {
        "all": BASE / f"list{tag}.ini",
        "dat": BASE / f"list{tag}dat.ini",
    }
    # both entries fill the same mirror, so the *.dat entry's pass is an up-to-date pass too
    write_list(lists["all"], f"C:\\tvbench\\dst{tag}\\", [f"{source}*.*   /subfolders"])
    write_list(lists["dat"], f"C:\\tvbench\\dst{tag}\\", [f"{source}*.dat   /subfolders"])
    winlist = {key: f"C:\\tvbench\\{path.name}" for key, path in lists.items()}
    xcopy_args = [f"C:\\tvbench\\src{tag}", f"C:\\tvbench\\xdst{tag}", "/S", "/E", "/I", "/Y", "/D"]
    s = Samples()
    peaks = Samples()

    def timed(name, *command):
        out = wine.time(*command)
        s.add(name, out.get("seconds"))
        peaks.add(name, out.get("peak_kb"))
        if command[0] in (RUNNER, NODRAIN) and out.get("exit", 0) != 0:
            print(f"warning: {name} ended with {out.get('exit')}")

    def passes(mode):
        timed(f"pass {mode}", RUNNER, winlist["all"])
        timed(f"nodrain {mode}", NODRAIN, winlist["all"])
        timed(f"dat pass {mode}", RUNNER, winlist["dat"])
        timed(f"dat nodrain {mode}", NODRAIN, winlist["dat"])
        timed(f"xpass {mode}", "xcopy", *xcopy_args)
        s.add(f"list {mode}", wine.bench("list", source, mirror).get("seconds"))
        s.add(f"drain {mode}", wine.bench("drain", str(2 * files)).get("seconds"))
        timed(f"start {mode}", RUNNER, "C:\\tvbench\\empty.ini")
        for entry, pattern in (("all", "*.*"), ("dat", "*.dat")):
            for key, value in wine.bench("steps", source, mirror, pattern).items():
                s.add(f"steps {entry} {key} {mode}", value)

    for _ in range(RUNS):
        shutil.rmtree(BASE / f"dst{tag}", ignore_errors=True)
        shutil.rmtree(BASE / f"xdst{tag}", ignore_errors=True)
        wine.restart(pinned=True)
        timed("full pinned", RUNNER, winlist["all"])
        timed("xfull pinned", "xcopy", *xcopy_args)
        timed("xstart pinned", "xcopy", "C:\\tvbench\\emptysrc", "C:\\tvbench\\emptydst", "/S", "/E", "/I", "/Y", "/D")
        passes("pinned")
        wine.restart(pinned=False)
        passes("unpinned")

    copied = sum(1 for _ in (BASE / f"dst{tag}").rglob("*") if _.is_file())
    xcopied = sum(1 for _ in (BASE / f"xdst{tag}").rglob("*") if _.is_file())
    print()
    print(f"== {files} files of 1 to 4 KB in {FOLDERS} folders (engine copied {copied}, xcopy {xcopied}) ==")
    print(f"{'':46} {'pinned to CPU ' + CPU:>28}   {'unpinned':>18}")
    print(f"{'':46} {'seconds':>8} {'files/s':>9} {'peak KB':>9}   {'seconds':>8} {'files/s':>9}")

    def row(label, name, per_file=True):
        cells = []
        for mode in ("pinned", "unpinned"):
            value = s[f"{name} {mode}"]
            rate = f"{files / value:9.0f}" if per_file and value == value and value > 0 else f"{'-':>9}"
            seconds = f"{value:8.3f}" if value == value else f"{'-':>8}"
            cells.append((seconds, rate))
        known = [kb for kb in peaks.values.get(f"{name} pinned", []) if kb is not None]
        peak = f"{max(known):9.0f}" if known else f"{'-':>9}"
        print(f"{label:46} {cells[0][0]} {cells[0][1]} {peak}   {cells[1][0]} {cells[1][1]}")

    row("engine full backup", "full")
    row("xcopy /S /E /I /Y /D full copy", "xfull")
    row("engine up-to-date pass", "pass")
    row("  the same without drains (bench-only build)", "nodrain")
    row("engine up-to-date pass, *.dat entry", "dat pass")
    row("  the same without drains", "dat nodrain")
    row("xcopy up-to-date pass", "xpass")
    row("listing both trees (floor)", "list")
    row("runner start-up (empty folder list)", "start", per_file=False)
    row("xcopy start-up (empty folder)", "xstart", per_file=False)
    row(f"2 x {files} empty queue drains (cross-check)", "drain", per_file=False)
    for name in ("full", "pass", "nodrain", "dat nodrain", "xpass", "list"):
        print(f"runs {name}: pinned {s.runs(name + ' pinned')} | unpinned {s.runs(name + ' unpinned')}")

    def ratio_row(label, figure, target=""):
        mode_row(label, figure, target, 2)

    print(f"{'ratios':58} {'pinned':>9} {'unpinned':>9}")
    ratio_row("engine/xcopy, full copy", lambda m: s[f"full {m}"] / s[f"xfull {m}"], "target <= 0.9")
    ratio_row("xcopy pass / engine pass (times faster)", lambda m: s[f"xpass {m}"] / s[f"pass {m}"], "target >= 1.7")
    ratio_row("pass less drains and start-up / listing floor",
              lambda m: (s[f"nodrain {m}"] - s[f"start {m}"]) / s[f"list {m}"], "target <= 2.0")
    ratio_row("  the same with the drains subtracted (cross-check)",
              lambda m: (s[f"pass {m}"] - s[f"drain {m}"] - s[f"start {m}"]) / s[f"list {m}"])
    ratio_row("  the same for the *.dat entry",
              lambda m: (s[f"dat nodrain {m}"] - s[f"start {m}"]) / s[f"list {m}"])
    print_steps(s, files)
    if files == SIZES[0]:
        # the per-call costs of a full copy once, on the first size, to keep the whole run short
        print("per-file costs of a full copy's calls, for new copies and for replaced ones (pinned):")
        shutil.rmtree(BASE / f"pdst{tag}", ignore_errors=True)
        wine.restart(pinned=True)
        done = subprocess.run(wine.prefix() + [WINE, str(TVBENCH), "profile-copy", source, f"C:\\tvbench\\pdst{tag}\\"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        for line in done.stdout.replace("\r", "").splitlines():
            print("  " + line)
        shutil.rmtree(BASE / f"pdst{tag}", ignore_errors=True)
    shutil.rmtree(BASE / f"dst{tag}", ignore_errors=True)
    shutil.rmtree(BASE / f"xdst{tag}", ignore_errors=True)


STEP_ROWS = [
    ("listing the source", "listing"),
    ("source attributes", "source_attributes"),
    ("copy attributes with the time compare", "copy_attributes"),
    ("folder identity", "identity"),
    ("FolderExists", "folder_exists"),
]


def print_steps(s, files):
    columns = [(entry, mode) for entry in ("all", "dat") for mode in ("pinned", "unpinned")]
    print("where the up-to-date pass goes (seconds; the rows sum to the pass):")
    print(f"  {'':47}" + "".join(f"{('*.*' if e == 'all' else '*.dat') + ' ' + m:>16}" for e, m in columns)
          + f"{'us/file':>9}")

    def nodrain(entry, mode):
        return s[f"{'dat ' if entry == 'dat' else ''}nodrain {mode}"]

    def figures(entry, mode):
        rows = [("process start and exit", s[f"start {mode}"])]
        rows += [(label, s[f"steps {entry} {key} {mode}"]) for label, key in STEP_ROWS]
        rows.append(("everything else (the pass less the rows above)", nodrain(entry, mode) - sum(value for _, value in rows)))
        rows.append(("= the pass without drains", nodrain(entry, mode)))
        passed = s[f"{'dat ' if entry == 'dat' else ''}pass {mode}"]
        rows.append(("queue drains", passed - nodrain(entry, mode)))
        rows.append(("= the up-to-date pass", passed))
        return rows

    table = [figures(entry, mode) for entry, mode in columns]
    for index, (label, _) in enumerate(table[0]):
        cells = "".join(f"{column[index][1]:16.3f}" for column in table)
        print(f"  {label:47}{cells}{table[0][index][1] / files * 1e6:9.1f}")
    for mode in ("pinned", "unpinned"):
        now = s[f"steps all identity_us {mode}"]
        before = s[f"steps all identity_with_volume_us {mode}"]
        print(f"folder identity per folder, {mode}: {now:.1f} us; asked with the volume as before "
              f"(GetFileInformationByHandle) {before:.1f} us; now/before {now / before:.2f} (target <= 0.5)")


def measure_program(wine):
    """Start-up, idle and answers during a backup, of the program itself, with Wine on one CPU."""
    make_tree(APP_FILES)
    # each of the 100 folders in ten rows, one per last digit of the hundreds in the file names,
    # so the rows back up every file of the tree once
    rows = [f"C:\\tvbench\\src{APP_FILES // 1000}k\\d{folder:03d}\\f??{digit}??.dat"
            for folder in range(FOLDERS) for digit in range(10)]
    assert len(rows) == APP_ROWS
    applist = BASE / "applist.ini"
    write_list(applist, "C:\\tvbench\\appdst\\", rows)
    s = Samples()
    wine.restart(pinned=True)
    for _ in range(RUNS):
        shutil.rmtree(BASE / "appdst", ignore_errors=True)
        out = wine.bench("program", PROGRAM, "C:\\tvbench\\applist.ini", str(APP_ROWS))
        # a figure the probe could not take is negative, and left out
        for key in ("startup", "idle_share", "longest_answer", "longest_at", "run"):
            if out.get(key, -1) >= 0:
                s.add(key, out[key])
        floor = wine.bench("floor", MINIMAL).get("startup", -1)
        if floor >= 0:
            s.add("floor", floor)
    copied = sum(1 for _ in (BASE / "appdst").rglob("*") if _.is_file())
    print()
    print(f"== Trellisvault.exe itself, pinned to CPU {CPU}: {RUNS} runs, medians ==")
    print(f"{'start-up to the main window showing a loaded ' + str(APP_ROWS) + '-row list':62} {s['startup']:8.3f} s   runs {s.runs('startup')}")
    print(f"{'a minimal program showing one window (floor)':62} {s['floor']:8.3f} s   runs {s.runs('floor')}")
    print(f"{'  ratio':62} {s['startup'] / s['floor']:8.2f}     target <= 1.5")
    print(f"{'main window processor time, idle for 5 s':62} {s['idle_share'] * 100:8.2f} % of a core   target < 1")
    print(f"{'longest answer to a sent message during a backup of ' + str(APP_FILES) + ' files':62} "
          f"{s['longest_answer'] * 1000:8.1f} ms   target < 100; runs {s.runs('longest_answer')}")
    print(f"{'  the longest waits began, seconds after the Backup button':62}          runs {s.runs('longest_at')}")
    print(f"{'  that backup, from its Backup button to its end (copied ' + str(copied) + ')':62} {s['run']:8.3f} s")


def measure_verify(wine, files):
    """A verify of a complete backup of the tree against reading both trees once (the floor)."""
    tag = make_tree(files)
    source = f"C:\\tvbench\\src{tag}\\"
    mirror = f"C:\\tvbench\\vdst{tag}\\C-Backup\\tvbench\\src{tag}\\"
    listpath = BASE / f"list{tag}verify.ini"
    write_list(listpath, f"C:\\tvbench\\vdst{tag}\\", [f"{source}*.*   /subfolders"])
    winlist = f"C:\\tvbench\\{listpath.name}"
    shutil.rmtree(BASE / f"vdst{tag}", ignore_errors=True)
    wine.restart(pinned=True)
    made = wine.time(RUNNER, winlist)
    if made.get("exit", 1) != 0:
        print(f"warning: the backup to verify ended with {made.get('exit')}")
    native_trees = [str(BASE / f"src{tag}"), str(BASE / f"vdst{tag}")]
    s = Samples()
    for _ in range(RUNS):
        for mode in ("pinned", "unpinned"):
            wine.restart(pinned=mode == "pinned")
            out = wine.time(RUNNER, "/v", winlist)
            if out.get("exit", 0) != 0:
                print(f"warning: the verify ended with {out.get('exit')}")
            s.add(f"verify {mode}", out.get("seconds"))
            s.add(f"read {mode}", wine.bench("read", source, mirror).get("seconds"))
            s.add(f"start {mode}", wine.time(RUNNER, "C:\\tvbench\\empty.ini").get("seconds"))
            started = time.perf_counter()
            find = subprocess.Popen(wine.prefix() + ["find", *native_trees, "-type", "f", "-print0"], stdout=subprocess.PIPE)
            subprocess.run(wine.prefix() + ["xargs", "-0", "cat"], stdin=find.stdout, stdout=subprocess.DEVNULL, check=True)
            find.wait()
            s.add(f"cat {mode}", time.perf_counter() - started)
    print()
    print(f"== verify (tvbackup /v) of a complete backup of {files} files ==")
    print(f"{'':58} {'pinned':>9} {'unpinned':>9}")

    def row(label, figure, target=""):
        mode_row(label, figure, target, 3)

    row("verify, seconds", lambda m: s[f"verify {m}"])
    row("reading both trees once under Wine (floor), seconds", lambda m: s[f"read {m}"])
    row("runner start-up (empty folder list), seconds", lambda m: s[f"start {m}"])
    row("cat of every file of both trees, native Linux, seconds", lambda m: s[f"cat {m}"])
    row("verify ratio: verify less start-up / floor", lambda m: (s[f"verify {m}"] - s[f"start {m}"]) / s[f"read {m}"], "target <= 1.5")
    row("  the verify whole / floor", lambda m: s[f"verify {m}"] / s[f"read {m}"])
    print(f"runs verify: pinned {s.runs('verify pinned')} | unpinned {s.runs('verify unpinned')}")
    print(f"runs floor: pinned {s.runs('read pinned')} | unpinned {s.runs('read unpinned')}")
    shutil.rmtree(BASE / f"vdst{tag}", ignore_errors=True)


def main():
    BASE.mkdir(parents=True, exist_ok=True)
    (BASE / "emptysrc").mkdir(exist_ok=True)
    write_list(BASE / "empty.ini", "C:\\tvbench\\emptydst\\", [])
    version = subprocess.run([WINE, "--version"], stdout=subprocess.PIPE, text=True).stdout.strip() or "Wine"
    print(f"Trellisvault benchmark: {RUNS} runs each, medians; {BUILD.name} build under {version}")
    if BUILD.name != "i686":
        print("(this machine runs no 32-bit programs, so the shipped 32-bit build is not measured)")
    wine = Wine()
    if os.environ.get("TV_BENCH_VERIFY_ONLY") != "1":
        for files in SIZES:
            measure_size(wine, files)
    measure_verify(wine, SIZES[0])
    if os.environ.get("TV_BENCH_VERIFY_ONLY") != "1":
        measure_program(wine)
    wine.restart(pinned=False)


main()
