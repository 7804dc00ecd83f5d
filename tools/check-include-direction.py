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

# The dependency order, bottom first: each tier holds columns that sit beside
# each other, each column its folders bottom first. A folder may include the
# folders of lower tiers and those below it in its own column, never a folder
# beside it. platform/testing is for tests and fuzz targets only.
PLATFORM = ["base", "gdi", "wnd", "controls", "dialogs", "frames", "testing"]
MODEL = ["geometry", "index", "projections", "layers", "polygons", "objects"]
GPS = ["nmea", "link", "recording", "dialogs"]
ORDER = ([[["platform/" + sub]] for sub in PLATFORM]
         + [[["resources"]], [["core"]], [["raster"]],
            [["model/" + sub for sub in MODEL]],
            [["dialogs"], ["mapwindow"], ["gps/" + sub for sub in GPS]],
            [["app"], ["tools"], ["bench"], ["fuzz"]]])
# Folders made of subfolders, each subfolder a folder of the order.
GROUPS = ("platform", "model", "gps")

POSITION = {}
for tier, columns in enumerate(ORDER):
    for column, folders in enumerate(columns):
        for index, folder in enumerate(folders):
            POSITION[folder] = (tier, column, index)
TESTING = "platform/testing"
# Shared test helpers (tests/support) use the platform; every test may use them.
TEST_SUPPORT = "tests/support"
# The tests of the model link it whole (a layer builds its objects through the
# kinds registered from above it), so they may include any of its subfolders;
# the group's own test helpers lie in tests/model/support.
WHOLE_IN_TESTS = ("model", "gps")

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".c")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Outside platform/ nothing may include window, drawing, serial or thread headers;
# benchmarks may, for the raw peer each figure is measured beside.
QT_ALLOWED = ("platform", "tests/platform", "bench")
PLATFORM_ONLY = re.compile(r"^(Q[A-Za-z]|Qt[A-Za-z]*/|X11/|xcb/|pthread\.h$|termios\.h$)")


def folder_of(rel):
    """The folder of the order a source path belongs to, or None."""
    parts = rel.split("/")
    key = "/".join(parts[:2]) if parts[0] in GROUPS else parts[0]
    return key if key in POSITION else None


def rank_of(rel):
    """(folder, position, is_test) for a path of the tree; tests rank as the folder they test."""
    parts = rel.split("/")
    if parts[0] == "tests":
        inner = "/".join(parts[1:])
        if parts[1:2] == ["support"]:
            return TEST_SUPPORT, POSITION[TESTING], True
        if len(parts) > 2 and parts[1] in WHOLE_IN_TESTS and parts[2] == "support":
            top = parts[1] + "/" + (MODEL if parts[1] == "model" else GPS)[-1]
            return "tests/" + parts[1] + "/support", POSITION[top], True
        folder = folder_of(inner)
        if folder is None and parts[1:2] == ["platform"]:
            folder = TESTING   # tests of the platform as a whole
        return ("tests/" + folder if folder else None), (POSITION[folder] if folder else None), True
    folder = folder_of(rel)
    return folder, (POSITION[folder] if folder else None), False


def resolve(root, rel, target):
    """The tree path an include names, as the compiler finds it, or None."""
    top = rel.split("/")[0]
    for base in (os.path.dirname(rel), "", top):
        candidate = os.path.normpath(os.path.join(base, target))
        if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
            return candidate.replace(os.sep, "/")
    return None


def below(dst, src):
    """Whether position `dst` lies below position `src` in the order."""
    return dst[0] < src[0] or (dst[0] == src[0] and dst[1] == src[1] and dst[2] < src[2])


def group_of(folder):
    """The group a folder (or a test folder) belongs to, or None."""
    parts = folder.split("/")
    if parts[0] == "tests":
        parts = parts[1:]
    return parts[0] if parts and parts[0] in WHOLE_IN_TESTS else None


def allowed(src, dst):
    """Whether source path `src` may include tree path `dst`."""
    src_folder, src_pos, src_test = rank_of(src)
    dst_folder, dst_pos, dst_test = rank_of(dst)
    if dst_folder is None or src_folder == dst_folder:
        return True
    if dst_test and not src_test:
        return False
    # Fuzz targets start the platform the way tests do.
    if dst_folder == TESTING and not (src_test or src_folder in (TESTING, "fuzz")):
        return False
    if below(dst_pos, src_pos):
        return True
    if not src_test:
        return False
    # A test may include the folder it tests, the shared test helpers and the
    # test hooks of platform/testing; a test of the model or the GPS any of
    # their subfolders and their test helpers.
    if src_folder == "tests/" + dst_folder or dst_folder in (TEST_SUPPORT, TESTING):
        return True
    return group_of(src_folder) is not None and group_of(src_folder) == group_of(dst_folder)


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
        folder, position, is_test = rank_of(rel)
        if position is None:
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
    "core/A.h": (['"model/layers/M.h"', '"platform/testing/T.h"', '<QWidget>', '<vector>', '"Missing.h"'], 3),
    "model/layers/M.h": (['"core/A.h"', '"raster/S.h"', '"mapwindow/D.h"', '"model/objects/O.h"',
                          '"model/geometry/G.h"'], 2),
    "model/geometry/G.h": (['"model/index/I.h"'], 1),
    "model/index/I.h": (['"model/geometry/G.h"'], 0),
    "model/objects/O.h": (['"model/layers/M.h"', '"gps/nmea/N.h"', '"model/polygons/P.h"'], 1),
    "model/polygons/P.h": (['"model/layers/M.h"', '"model/objects/O.h"'], 1),
    "model/Stray.h": ([], 1),
    "gps/nmea/N.h": (['"core/A.h"', '"gps/link/K.h"'], 1),
    "gps/link/K.h": (['"gps/nmea/N.h"', '"gps/dialogs/G.h"'], 1),
    "gps/dialogs/G.cpp": (['"gps/link/K.h"', '"model/objects/O.h"', '"mapwindow/D.h"', '"dialogs/C.h"'], 2),
    "gps/dialogs/G.h": ([], 0),
    "raster/S.h": (['"core/A.h"', '<pthread.h>'], 1),
    "dialogs/C.cpp": (['"dialogs/C.h"', '"mapwindow/D.h"', '"tests/support/TS.h"'], 2),
    "dialogs/C.h": ([], 0),
    "mapwindow/D.h": (['"model/objects/O.h"', '"gps/nmea/N.h"'], 1),
    "app/P.cpp": (['"dialogs/C.h"', '"mapwindow/D.h"', '"gps/dialogs/G.h"'], 0),
    "bench/B.cpp": (['"platform/base/B.h"', '<QPainter>'], 0),
    "tests/support/TS.h": (['"platform/base/B.h"'], 0),
    "tests/core/v/VTestSupport.h": (['"core/A.h"'], 0),
    "tests/core/v/VTest.cpp": (['"VTestSupport.h"', '"model/layers/M.h"', '"tests/support/TS.h"',
                                '"platform/testing/T.h"'], 1),
    "tests/mapwindow/w/WTest.cpp": (['"mapwindow/D.h"', '"tests/core/v/VTestSupport.h"', '"dialogs/C.h"'], 1),
    "tests/model/layers/LTest.cpp": (['"model/objects/O.h"', '"tests/model/support/MS.h"', '"gps/nmea/N.h"'], 1),
    "tests/model/support/MS.h": (['"model/objects/O.h"'], 0),
    "tests/gps/nmea/NTest.cpp": (['"gps/dialogs/G.h"', '"tests/model/support/MS.h"', '"mapwindow/D.h"'], 1),
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
