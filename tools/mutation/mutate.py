"""Runs the faults of faults.txt against a scratch copy of the project (see run.sh)."""
import filecmp
import os
import re
import shutil
import subprocess
import sys

# The tests that cover each file (ctest names; gtest cases of engine_tests by suite),
# and the targets they need.
COVERAGE = [
    # The newer half first: its own tests (more specific prefixes before the general ones).
    ("app/screens/", "^(MoveShowTest\\..*|reference_frames|exact_checks|screens_test|app_window|e2e_see_moves|e2e_advice)$",
     ["showing_tests", "reference_frames_test", "exact_checks_test", "screens_test", "app_window_tests", "draughts3d"]),
    ("app/files/", "^(app_startup|UserFilesTest\\..*|GameKeepingTest\\..*)$", ["startup_tests", "user_files_tests"]),
    ("engine/levels/", "^(Levels\\..*|LevelSearch\\..*|LevelMatch\\..*|EngineTool\\..*|MoveShowTest\\..*)$",
     ["engine_tests", "showing_tests"]),
    ("engine/records/", "^(Pdn\\..*|Records\\..*|EngineTool\\..*|UserFilesTest\\..*|GameKeepingTest\\..*)$",
     ["engine_tests", "user_files_tests"]),
    ("scene/", "^(reference_frames|scene_render_tests|scene_cache_tests|frame_pixels|screens_test)$",
     ["reference_frames_test", "scene_render_tests", "scene_cache_tests", "frame_pixels_test", "screens_test"]),
    ("lettering/", "^(stroke_font_test|reference_frames|exact_checks|screens_test)$",
     ["stroke_font_test", "reference_frames_test", "exact_checks_test", "screens_test"]),
    ("app/", "^(reference_frames|exact_checks|screens_test|app_window)$",
     ["reference_frames_test", "exact_checks_test", "screens_test", "app_window_tests", "draughts3d"]),
    ("engine/", "^(Turn\\..*|reference_frames|exact_checks|screens_test)$",
     ["engine_tests", "reference_frames_test", "exact_checks_test", "screens_test", "draughts3d"]),
]


def coverage(path):
    for prefix, tests, targets in COVERAGE:
        if path.startswith(prefix):
            return tests, targets
    raise SystemExit("no tests named for " + path)


def read_faults(path):
    """Faults as (id, [(file, old, new)]); lines with the same id form one fault."""
    faults = {}
    order = []
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = line.split(" :: ")
            if len(parts) != 4:
                raise SystemExit("faults.txt:%d: want 'id :: file :: old :: new'" % number)
            fid, file = parts[0].strip(), parts[1].strip()
            old, new = parts[2].replace("\\n", "\n"), parts[3].replace("\\n", "\n")
            if fid not in faults:
                faults[fid] = []
                order.append(fid)
            faults[fid].append((file, old, new))
    return [(fid, faults[fid]) for fid in order]


def run(command, cwd, log):
    with open(log, "a") as out:
        return subprocess.call(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT)


def main():
    root, scratch, pattern = sys.argv[1], sys.argv[2], sys.argv[3]
    faults = [f for f in read_faults(os.path.join(root, "tools", "mutation", "faults.txt")) if re.search(pattern, f[0])]
    # Every fault must apply to the sources as they stand before anything is built.
    for fid, edits in faults:
        texts = {}
        for file, old, new in edits:
            text = texts.get(file) or open(os.path.join(root, file)).read()
            if text.count(old) != 1:
                raise SystemExit("fault %s: %r is not found exactly once in %s" % (fid, old, file))
            texts[file] = text.replace(old, new)
    source = os.path.join(scratch, "src")
    build = os.path.join(scratch, "build")
    log = os.path.join(scratch, "log.txt")
    os.makedirs(scratch, exist_ok=True)
    # The tracked files as they stand in the working tree. A file the scratch
    # copy has already, byte for byte, is left with its time, so that a second
    # run builds only what changed; any other gets a plain copy with a fresh
    # time, so the scratch build remakes what an earlier run left changed.
    files = subprocess.check_output(["git", "ls-files", "-z"], cwd=root).decode().split("\0")
    for name in filter(None, files):
        target = os.path.join(source, name)
        if os.path.isfile(target) and filecmp.cmp(os.path.join(root, name), target, shallow=False):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(os.path.join(root, name), target)
    open(log, "w").close()
    jobs = "2"
    if run(["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=Release"], scratch, log) != 0 or \
            run(["cmake", "--build", build, "-j", jobs], scratch, log) != 0:
        raise SystemExit("the unchanged copy does not build (see %s)" % log)
    # Every test set must pass before any fault is planted.
    for _, tests, _ in COVERAGE:
        if run(["ctest", "-R", tests, "-j", jobs, "--timeout", "300"], build, log) != 0:
            raise SystemExit("tests %s fail without any fault (see %s)" % (tests, log))

    killed, survivors = 0, []
    for fid, edits in faults:
        saved = {}
        for file, old, new in edits:
            path = os.path.join(source, file)
            text = saved.get(file) or open(path).read()
            saved.setdefault(file, text)
            current = open(path).read()
            if current.count(old) != 1:
                raise SystemExit("fault %s: %r is not found exactly once in %s" % (fid, old, file))
            with open(path, "w") as f:
                f.write(current.replace(old, new))
        tests, targets = coverage(edits[0][0])
        with open(log, "a") as out:
            out.write("\n==== fault %s\n" % fid)
        built = run(["cmake", "--build", build, "-j", jobs, "--target"] + targets, scratch, log) == 0
        caught = not built or run(["ctest", "-R", tests, "-j", jobs, "--timeout", "300"], build, log) != 0
        for file, text in saved.items():
            with open(os.path.join(source, file), "w") as f:
                f.write(text)
        print("%-8s %s" % ("killed" if caught else "SURVIVED", fid), flush=True)
        if caught:
            killed += 1
        else:
            survivors.append(fid)
    # Leave the build matching the unchanged sources.
    run(["cmake", "--build", build, "-j", jobs], scratch, log)
    print("killed %d of %d" % (killed, len(faults)))
    if survivors:
        print("survivors: " + ", ".join(survivors))


if __name__ == "__main__":
    main()
