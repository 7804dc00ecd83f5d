"""The sample map under a window manager: zoom in, zoom out, pan and View Entire
Map; select the "North Downs" area, whose roads, place and labels must stay in
sight and whose name the Info Tool shows, above the main window; Window > Cascade,
Tile and the child's maximise keep the map drawn."""

import glob
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

SAMPLE = os.path.join(ex.BUILD, "app", "sample")

# The sample's colours (tools/MakeSampleMap.cpp).
NORTH_DOWNS = (170, 210, 140)
MAIN_ROAD = (200, 40, 30)
PLACE = (20, 20, 140)
LAKE = (150, 190, 235)


class SampleJourney(unittest.TestCase):
    def test_view_select_and_arrange(self):
        with ex.Session("sample", window_manager=True) as s:
            for f in glob.glob(os.path.join(SAMPLE, "*.k[lw]z")):
                shutil.copy(f, s.folder)
            main = s.start_editor(s.path("Sample.kwz"))
            s.wait_window("Sample", what="the sample map")
            info = s.wait_window("^Info Tool$", what="the Info Tool")
            s.run(["xdotool", "windowmove", "--sync", info, "900", "100"])  # dragged aside
            gx, gy, gw, gh = s.geometry(main)
            frame = (gx, gy, gx + gw, gy + gh)
            first = s.settled_shot(frame)
            box = ex.map_box(first, frame)
            l, t, r, b = box
            self.assertGreater(self.count(first, box, NORTH_DOWNS), 2000, "the sample map is not drawn")

            # Zoom in and out with the Map > Tool commands, pan with the Move tool,
            # and View Entire Map brings back the first picture.
            self.command(s, "alt+m", "t", "i")
            s.click((l + r) // 2, (t + b) // 2)
            zoomed = s.settled_shot(box)
            self.assertGreater(self.differing(first, zoomed, box), 2000, "Zoom In changed nothing")
            self.command(s, "alt+m", "t", "o")
            s.click((l + r) // 2, (t + b) // 2)
            s.click((l + r) // 2, (t + b) // 2)
            unzoomed = s.settled_shot(box)
            self.assertGreater(self.differing(zoomed, unzoomed, box), 2000, "Zoom Out changed nothing")
            self.command(s, "alt+m", "t", "m")
            s.drag([((l + r) // 2, (t + b) // 2), ((l + r) // 2 + 30, (t + b) // 2 + 20),
                    ((l + r) // 2 + 60, (t + b) // 2 + 40)])
            panned = s.settled_shot(box)
            inner = (l + 70, t + 50, r - 70, b - 50)
            self.assertLess(self.differing(unzoomed, panned, inner, shift=(60, 40)), 200,
                            "the map did not follow the Move tool's drag")
            self.command(s, "alt+v", "e")
            entire = s.settled_shot(box)
            self.assertLess(self.differing(first, entire, box), 50, "View Entire Map did not show the first view")

            # Select the North Downs area: what lies on it stays in sight.
            self.command(s, "alt+m", "t", "s")
            inside = self.inside_area(entire, box)
            area_box = self.bounds(entire, box, NORTH_DOWNS)
            roads, places = self.count(entire, area_box, MAIN_ROAD), self.count(entire, area_box, PLACE)
            self.assertGreater(roads, 50, "no road crosses the North Downs in the sample")
            self.assertGreater(places, 50, "no place lies in the North Downs in the sample")
            s.click(*inside)
            selected = s.settled_shot(frame)
            self.assertGreater(self.count(selected, area_box, MAIN_ROAD), roads * 0.9,
                               "the selected area is painted over the road above it")
            self.assertGreater(self.count(selected, area_box, PLACE), places * 0.9,
                               "the selected area is painted over the place above it")

            # The Info Tool shows the area's name, and stays above the main window
            # that was just clicked.
            order = ex.stacking(s)
            self.assertLess(order.index(int(main)), order.index(int(info)),
                            "the Info Tool fell behind the main window")
            ix, iy, iw, ih = s.geometry(info)
            listing = s.settled_shot((ix, iy, ix + iw, iy + ih))
            self.assertGreater(listing.count((ix + 4, iy + 4, ix + iw - 20, iy + 40), ex.dark), 20,
                               "the Info Tool shows nothing for the selected area")

            # A rectangle drawn into the Areas layer across the main road is filled
            # white, yet the road of the layer above stays in sight through it while
            # it is selected.
            rx, ry = self.road_point(selected, area_box, box)
            rect = (rx - 20, ry - 20, rx + 20, ry + 20)
            road_before = self.count(selected, rect, MAIN_ROAD)
            self.command(s, "alt+m", "d", "r")
            s.drag([(rect[0], rect[1]), (rx, ry), (rect[2], rect[3])])
            drawn = s.settled_shot(box)
            self.assertGreater(self.count(drawn, rect, MAIN_ROAD), road_before * 0.8,
                               "the new rectangle is painted over the road above it")

            # Maximise (a double-click on the child's title bar), Cascade and Tile
            # keep the map drawn.
            s.double_click((l + r) // 2, t - 12)
            s.wait_window(r"\[Sample", what="the maximised map's title")
            maximised = s.settled_shot(frame)
            self.assertWhole(maximised, frame, "the maximised map")
            self.assertGreater(ex.map_box(maximised, frame)[3], b + 50, "the maximised map did not grow")
            self.command(s, "alt+w", "c")
            cascaded = s.settled_shot(frame)
            self.assertWhole(cascaded, frame, "the cascaded map")
            cl, ct, cr, cb = ex.map_box(cascaded, frame)
            self.assertGreater(min(cr - cl, cb - ct), 200, "Cascade left the map too small to use")
            self.command(s, "alt+w", "t")
            tiled = s.settled_shot(frame)
            self.assertWhole(tiled, frame, "the tiled map")

    # ---------------------------------------------------------------- helpers

    def command(self, s, *keys):
        """A menu command by its mnemonics, once the menu has opened."""
        known = set(s.windows(""))
        s.key(keys[0])
        s.wait_window("", what="the menu of " + keys[0], accept=lambda w: w not in known)
        s.key(*keys[1:])

    def assertWhole(self, shot, rect, what):
        """The map is drawn all over: its top area and its bottom lake, not only the part
        a resize uncovered."""
        self.assertGreater(self.count(shot, rect, NORTH_DOWNS), 2000, what + " lost the North Downs")
        self.assertGreater(self.count(shot, rect, LAKE), 1000, what + " lost the lake at its bottom")

    @staticmethod
    def count(shot, rect, colour):
        return shot.count(rect, lambda rgb: ex.near(rgb, colour, 12))

    @staticmethod
    def differing(first, second, rect, shift=(0, 0)):
        l, t, r, b = rect
        dx, dy = shift
        return sum(1 for y in range(t, b, 2) for x in range(l, r, 2)
                   if not ex.near(first.pixel(x, y), second.pixel(x + dx, y + dy), 30))

    @staticmethod
    def bounds(shot, rect, colour):
        l, t, r, b = rect
        xs, ys = [], []
        for y in range(t, b, 2):
            for x in range(l, r, 2):
                if ex.near(shot.pixel(x, y), colour, 12):
                    xs.append(x)
                    ys.append(y)
        return min(xs), min(ys), max(xs) + 1, max(ys) + 1

    @staticmethod
    def road_point(shot, area_box, box):
        """A point of the main road a little right of the North Downs, clear of the map's edge."""
        for x in range(area_box[2] + 25, box[2] - 25):
            ys = [y for y in range(box[1] + 25, box[3] - 25) if ex.near(shot.pixel(x, y), MAIN_ROAD, 12)]
            if ys:
                return x, ys[len(ys) // 2]
        raise AssertionError("no main road right of the North Downs")

    @staticmethod
    def inside_area(shot, rect):
        """A point of the North Downs with nothing else drawn within 6 pixels."""
        l, t, r, b = rect
        for y in range(b - 8, t + 8, -3):
            for x in range(l + 8, r - 8, 3):
                if all(ex.near(shot.pixel(x + i, y + j), NORTH_DOWNS, 12)
                       for i in range(-6, 7, 3) for j in range(-6, 7, 3)):
                    return x, y
        raise AssertionError("no clear point inside the North Downs")


if __name__ == "__main__":
    unittest.main()
