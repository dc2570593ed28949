#!/usr/bin/env python3
"""Mutation benchmark: how many small, realistic faults the tests catch.

Applies each mutant of mutants.tsv to a scratch copy of the source tree (the
developer's tree is only read), rebuilds what the mutant's tests need, runs
those tests, and puts the original file back. Prints every mutant's fate, the
kill rate and the survivors.

usage: run_mutants.py [--source DIR] [--work DIR] [--jobs N] [--only NAME,...]
                      [--limit SECONDS]

The scratch copy and its build live in --work (default build/mutation) and are
kept between runs, so a later run rebuilds only what changed. A run that is
interrupted leaves at most the copy mutated; the next run puts it right first.
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, "mutants.tsv")


def read_table(path):
    """Mutants in table order; rows with the same name form one mutant."""
    mutants, order = {}, []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 6:
                sys.exit("%s:%d: expected 6 tab-separated fields, found %d" % (path, number, len(fields)))
            name, file, pattern, replacement, tests, notice = fields
            if name not in mutants:
                mutants[name] = dict(name=name, edits=[], tests=tests, notice=notice)
                order.append(name)
            mutants[name]["edits"].append((file, pattern, replacement))
    return [mutants[n] for n in order]


def source_files(source):
    """Files of the tree as git sees them: tracked and new, not ignored."""
    out = subprocess.run(["git", "-C", source, "ls-files", "-co", "--exclude-standard", "-z"],
                         check=True, capture_output=True).stdout.decode()
    return [f for f in out.split("\0") if f and os.path.isfile(os.path.join(source, f))]


def same_content(a, b):
    if not os.path.exists(b) or os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as x, open(b, "rb") as y:
        return x.read() == y.read()


def sync(source, copy):
    """Makes the copy equal to the source, touching only files that differ so
    the copy's build stays incremental."""
    wanted = set(source_files(source))
    for rel in wanted:
        src, dst = os.path.join(source, rel), os.path.join(copy, rel)
        if not same_content(src, dst):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copy2(src, dst)
            os.utime(dst)  # newer than any object built from an older copy
    for root, _, files in os.walk(copy):
        for f in files:
            rel = os.path.relpath(os.path.join(root, f), copy)
            if rel not in wanted:
                os.remove(os.path.join(root, f))


def apply_edit(path, pattern, replacement):
    """Replaces `pattern` in the one line that holds it ("^" anchors it at
    the line's start). Returns the original text."""
    with open(path, encoding="utf-8", newline="") as f:
        original = f.read()
    lines = original.splitlines(keepends=True)
    anchored = pattern.startswith("^")
    needle = pattern[1:] if anchored else pattern
    hits = [i for i, l in enumerate(lines) if (l.startswith(needle) if anchored else needle in l)]
    if len(hits) != 1:
        raise ValueError("%s: pattern %r matches %d lines" % (path, pattern, len(hits)))
    lines[hits[0]] = lines[hits[0]].replace(needle, replacement, 1)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("".join(lines))
    return original


def run(command, cwd, limit=None, log=None):
    """Runs a command in its own process group; ends the whole group when it
    outlives `limit`. Returns (exit code or None on time-out, output)."""
    proc = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=limit)
        code = proc.returncode
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        code = None
    text = out.decode(errors="replace")
    if log:
        with open(log, "a") as f:
            f.write("$ %s\n%s\n" % (" ".join(command), text))
    return code, text


class Session:
    """One Wine session shared by every mutant's tests, as ctest's own
    fixture would start it; restarted after a test run had to be ended."""

    def __init__(self, copy, build):
        self.script = os.path.join(copy, "tools", "wine", "session.sh")
        self.dir = os.path.join(build, "wine-session")
        self.list = os.path.join(build, "wine-appdefaults.txt")
        self.system = os.path.join(build, "wine-system-libraries.txt")

    def start(self):
        subprocess.run([self.script, "start", self.dir, self.list, self.system], check=True,
                       capture_output=True)

    def stop(self):
        subprocess.run([self.script, "stop", self.dir], capture_output=True)


def matching_tests(build, regex):
    code, out = run(["ctest", "-N", "-R", regex], build)
    return re.findall(r"Test\s+#\d+: (\S+)", out)


def targets_for(tests, known):
    """Build targets of the test programs (one per test, less its version)."""
    targets = {"kvsetup", "stage_package"}
    for t in tests:
        base = t.split(".")[0]
        if base in known:
            targets.add(base)
    return sorted(targets)


def check(source, mutants):
    """Every pattern matches one line of the source; nothing is written."""
    problems = 0
    for m in mutants:
        for file, pattern, _ in m["edits"]:
            with open(os.path.join(source, file), encoding="utf-8") as f:
                lines = f.read().splitlines()
            needle = pattern.lstrip("^")
            hits = [l for l in lines if (l.startswith(needle) if pattern.startswith("^") else needle in l)]
            if len(hits) != 1:
                problems += 1
                print("%s: %s: pattern %r matches %d lines" % (m["name"], file, pattern, len(hits)))
    folders = sorted({e[0].split("/")[0] for m in mutants for e in m["edits"]})
    print("%d mutants in %s, %d problems" % (len(mutants), ", ".join(folders), problems))
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", default=os.path.dirname(os.path.dirname(HERE)))
    parser.add_argument("--work", default=None)
    parser.add_argument("--jobs", default=os.environ.get("JOBS", "2"))
    parser.add_argument("--only", default="")
    parser.add_argument("--limit", type=int, default=420, help="seconds for one mutant's tests")
    parser.add_argument("--check", action="store_true", help="only check that every pattern applies")
    args = parser.parse_args()
    # A terminated run still puts the mutated file back (the finally blocks).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    source = os.path.abspath(args.source)
    work = os.path.abspath(args.work or os.path.join(source, "build", "mutation"))
    copy, build = os.path.join(work, "src"), os.path.join(work, "build")
    log = os.path.join(work, "mutation.log")
    mutants = read_table(TABLE)
    if args.only:
        wanted = args.only.split(",")
        mutants = [m for m in mutants if m["name"] in wanted]

    if args.check:
        return check(source, mutants)
    os.makedirs(copy, exist_ok=True)
    open(log, "w").close()
    print("mutation: copying %s to %s" % (source, copy), flush=True)
    sync(source, copy)
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", copy, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                        "-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake"], check=True,
                       cwd=copy, capture_output=True)
    print("mutation: building the unmutated copy", flush=True)
    code, out = run(["cmake", "--build", build, "-j", args.jobs], copy, log=log)
    if code != 0:
        sys.exit("mutation: the unmutated copy does not build; see %s" % log)
    _, help_text = run(["cmake", "--build", build, "--target", "help"], copy)
    known = set(re.findall(r"^\.\.\. (\S+)", help_text, re.M))

    session = Session(copy, build)
    session.start()
    results = []
    try:
        # Tests that fail without a mutant (a missing tool, say) would count
        # every mutant as caught; they are left out.
        everything = "|".join(sorted({t for m in mutants for t in m["tests"].split("|")}))
        run(["cmake", "--build", build, "-j", args.jobs, "--target"] +
            targets_for(matching_tests(build, everything), known), copy, log=log)
        _, out = run(["ctest", "-R", everything, "-FS", "wine", "-FC", "wine"], build, log=log)
        broken = re.findall(r"^\s*\d+ - (\S+) \(", out, re.M)
        exclude = ["-E", "^(%s)$" % "|".join(re.escape(t) for t in broken)] if broken else []
        if broken:
            print("mutation: failing without a mutant, left out: %s" % ", ".join(broken), flush=True)
        for m in mutants:
            started = time.time()
            originals = {}
            fate = "killed"
            detail = ""
            try:
                for file, pattern, replacement in m["edits"]:
                    path = os.path.join(copy, file)
                    original = apply_edit(path, pattern, replacement)
                    originals.setdefault(path, original)
                tests = [t for t in matching_tests(build, m["tests"]) if t not in broken]
                code, out = run(["cmake", "--build", build, "-j", args.jobs, "--target"] +
                                targets_for(tests, known), copy, log=log)
                if code != 0:
                    fate, detail = "invalid", "does not build"
                elif not tests:
                    fate, detail = "survived", "no test matches %r" % m["tests"]
                else:
                    # The session is started here, not by ctest, for all mutants.
                    code, out = run(["ctest", "-R", m["tests"], "-FS", "wine", "-FC", "wine",
                                     "--output-on-failure"] + exclude, build, limit=args.limit, log=log)
                    if code is None:
                        detail = "tests ran past %d s" % args.limit
                        session.start()
                    elif code == 0:
                        fate, detail = "survived", "%d tests passed" % len(tests)
                    else:
                        failed = re.findall(r"^\s*\d+ - (\S+) \(", out, re.M)
                        detail = "caught by " + ", ".join(failed[:4])
            except ValueError as problem:
                fate, detail = "invalid", str(problem)
            finally:
                for path, original in originals.items():
                    with open(path, "w", encoding="utf-8", newline="") as f:
                        f.write(original)
            results.append((m, fate, detail))
            print("%-9s %-28s %4ds  %s" % (fate, m["name"], time.time() - started, detail), flush=True)
    finally:
        session.stop()
        sync(source, copy)  # whatever happened, the copy is the source again

    valid = [r for r in results if r[1] != "invalid"]
    killed = [r for r in valid if r[1] == "killed"]
    print("\nmutation: %d of %d mutants killed (%.0f%%)" %
          (len(killed), len(valid), 100.0 * len(killed) / max(1, len(valid))))
    for m, fate, detail in results:
        if fate != "killed":
            print("  %s %s: %s (%s)" % (fate, m["name"], m["notice"], detail))
    return 0


if __name__ == "__main__":
    sys.exit(main())
