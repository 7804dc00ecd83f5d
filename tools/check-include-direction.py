#!/usr/bin/env python3
# The include-direction check: every #include of the sources must point to the
# same folder or to one below it, so that the libraries link one way only.
# Exit status 1, with one line per upward include, when any runs upward.
#
#   check-include-direction.py [--root DIR] [PREFIX...] [--skip PREFIX...]
#   check-include-direction.py --self-test
#
# PREFIX limits the check to files under those paths (default: all folders);
# --skip leaves files under those paths out. --self-test runs the check on a
# small tree of known upward and allowed includes.
import argparse
import os
import re
import sys
import tempfile

# Rank of each folder, bottom first. Folders of one rank sit beside each other
# and may not include one another. platform/testing is for tests and fuzz targets only.
PLATFORM = ["base", "gdi", "wnd", "controls", "dialogs", "frames", "testing"]
ABOVE_PLATFORM = [["resources"], ["core"], ["raster"], ["model"], ["dialogs", "mapwindow", "gps"], ["app", "tools", "bench", "fuzz"]]

RANKS = {"platform/" + sub: i for i, sub in enumerate(PLATFORM)}
for i, folders in enumerate(ABOVE_PLATFORM, start=len(PLATFORM)):
    for folder in folders:
        RANKS[folder] = i
TESTING = "platform/testing"
# Shared test helpers (tests/support) use the platform; every test may use them.
TEST_SUPPORT_RANK = RANKS[TESTING]

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".c")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Outside platform/ nothing may include window, drawing, serial or thread headers;
# benchmarks may, for the raw peer each figure is measured beside.
QT_ALLOWED = ("platform", "tests/platform", "bench")
PLATFORM_ONLY = re.compile(r"^(Q[A-Za-z]|Qt[A-Za-z]*/|X11/|xcb/|pthread\.h$|termios\.h$)")


def folder_of(rel):
    """The ranked folder a source path belongs to, or None."""
    parts = rel.split("/")
    if parts[0] == "platform":
        key = "/".join(parts[:2])
        return key if key in RANKS else None
    return parts[0] if parts[0] in RANKS else None


def rank_of(rel):
    """(folder, rank, is_test) for a path of the tree; tests rank as the folder they test."""
    parts = rel.split("/")
    if parts[0] == "tests":
        inner = "/".join(parts[1:])
        if parts[1:2] == ["support"]:
            return "tests/support", TEST_SUPPORT_RANK, True
        folder = folder_of(inner)
        if folder is None and parts[1:2] == ["platform"]:
            folder = TESTING   # tests of the platform as a whole
        return ("tests/" + folder if folder else None), (RANKS[folder] if folder else None), True
    folder = folder_of(rel)
    return folder, (RANKS[folder] if folder else None), False


def resolve(root, rel, target):
    """The tree path an include names, as the compiler finds it, or None."""
    top = rel.split("/")[0]
    for base in (os.path.dirname(rel), "", top):
        candidate = os.path.normpath(os.path.join(base, target))
        if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
            return candidate.replace(os.sep, "/")
    return None


def allowed(src, dst):
    """Whether source path `src` may include tree path `dst`."""
    src_folder, src_rank, src_test = rank_of(src)
    dst_folder, dst_rank, dst_test = rank_of(dst)
    if dst_folder is None or src_folder == dst_folder:
        return True
    if dst_test and not src_test:
        return False
    # Fuzz targets start the platform the way tests do.
    if dst_folder == TESTING and not (src_test or src_folder in (TESTING, "fuzz")):
        return False
    if dst_rank < src_rank:
        return True
    # A test may include the folder it tests, the shared test helpers and the
    # test hooks of platform/testing.
    return src_test and (src_folder == "tests/" + dst_folder or dst_folder in ("tests/support", TESTING))


def sources(root, prefixes, skips):
    for top in sorted(os.listdir(root)):
        if top.startswith(".") or top.startswith("build") or not os.path.isdir(os.path.join(root, top)):
            continue
        for folder, dirs, files in os.walk(os.path.join(root, top)):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                rel = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                if prefixes and not any(rel.startswith(p) for p in prefixes):
                    continue
                if any(rel.startswith(s) for s in skips):
                    continue
                yield rel


def check(root, prefixes, skips):
    problems = []
    for rel in sources(root, prefixes, skips):
        folder, rank, is_test = rank_of(rel)
        if rank is None:
            if rel.split("/")[0] not in ("cmake",):
                problems.append(f"{rel}: lies in no folder of the dependency order")
            continue
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, start=1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                kind, target = match.groups()
                if kind == "<":
                    if not folder.startswith(QT_ALLOWED) and PLATFORM_ONLY.match(target):
                        problems.append(f"{rel}:{number}: includes <{target}>, which only platform/ may include")
                    continue
                dst = resolve(root, rel, target)
                if dst and not allowed(rel, dst):
                    problems.append(f"{rel}:{number}: {folder} includes {dst} of {rank_of(dst)[0]}, "
                                    "which does not lie below it")
    return problems


# file -> (includes, number of them that must be reported)
SELF_TEST_TREE = {
    "platform/wnd/W.h": (['"platform/base/B.h"', '"platform/frames/F.h"'], 1),
    "platform/base/B.h": (['<QString>'], 0),
    "platform/frames/F.h": (['"wnd/W.h"', '"resources/R.h"'], 1),
    "platform/testing/T.h": (['"platform/frames/F.h"'], 0),
    "resources/R.h": (['"platform/base/B.h"'], 0),
    "core/A.h": (['"model/M.h"', '"platform/testing/T.h"', '<QWidget>', '<vector>', '"Missing.h"'], 3),
    "model/M.h": (['"core/A.h"', '"raster/S.h"', '"mapwindow/D.h"'], 1),
    "raster/S.h": (['"core/A.h"', '<pthread.h>'], 1),
    "dialogs/C.cpp": (['"dialogs/C.h"', '"mapwindow/D.h"', '"tests/support/TS.h"'], 2),
    "dialogs/C.h": ([], 0),
    "mapwindow/D.h": (['"model/M.h"'], 0),
    "app/P.cpp": (['"dialogs/C.h"', '"mapwindow/D.h"'], 0),
    "bench/B.cpp": (['"platform/base/B.h"', '<QPainter>'], 0),
    "tests/support/TS.h": (['"platform/base/B.h"'], 0),
    "tests/core/v/VTestSupport.h": (['"core/A.h"'], 0),
    "tests/core/v/VTest.cpp": (['"VTestSupport.h"', '"model/M.h"', '"tests/support/TS.h"',
                                '"platform/testing/T.h"'], 1),
    "tests/mapwindow/w/WTest.cpp": (['"mapwindow/D.h"', '"tests/core/v/VTestSupport.h"', '"dialogs/C.h"'], 1),
    "tests/platform/wnd/WTest.cpp": (['"platform/wnd/W.h"', '"platform/testing/T.h"', '<QWidget>'], 0),
}


def self_test():
    with tempfile.TemporaryDirectory() as root:
        for rel, (includes, _) in SELF_TEST_TREE.items():
            os.makedirs(os.path.dirname(os.path.join(root, rel)), exist_ok=True)
            with open(os.path.join(root, rel), "w") as f:
                f.write("// a file of the test tree\n" + "".join(f"#include {i}\n" for i in includes))
        reported = {}
        for problem in check(root, [], []):
            rel = problem.split(":")[0]
            reported[rel] = reported.get(rel, 0) + 1
    wrong = [f"{rel}: {reported.get(rel, 0)} reported, {count} expected"
             for rel, (_, count) in SELF_TEST_TREE.items() if reported.get(rel, 0) != count]
    for line in wrong:
        print(line)
    print(f"include direction self-test: {len(SELF_TEST_TREE) - len(wrong)} passed, {len(wrong)} failed")
    return 1 if wrong else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--skip", nargs="*", default=[])
    parser.add_argument("--self-test", action="store_true")
    parser.add_argument("prefixes", nargs="*")
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    root = os.path.abspath(args.root)
    problems = check(root, args.prefixes, args.skip)
    for problem in problems:
        print(problem)
    checked = " ".join(args.prefixes) or "every folder"
    skipped = f" (without {' '.join(args.skip)})" if args.skip else ""
    print(f"include direction of {checked}{skipped}: {len(problems)} upward include(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
