"""The sample map's layers through Layer > Layer Control: the "Data View" switch
of the Places layer, applied, shows the quick-info tip over a place, and moving
away hides it; a layer renamed and another hidden are saved into the workspace
and the layer files, and the map reopens that way."""

import glob
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

SAMPLE = os.path.join(ex.BUILD, "app", "sample")

# The sample's colours (tools/MakeSampleMap.cpp).
PLACE = (20, 20, 140)
LAKE = (150, 190, 235)

# The Layer Control's grid, in pixels from the dialog's client origin: the rows
# (the sample's layers from the bottom up) and the switch columns.
AREAS, WATER, ROADS, PLACES, NAMES = range(5)
VISIBLE, DATA_VIEW = 0, 5


def row_y(row):
    return 35 + 16 * row


def column_x(column):
    return 150 + 19 * column


OK_BUTTON, APPLY_BUTTON, CANCEL_BUTTON, RENAME_BUTTON = (179, 232), (363, 232), (269, 232), (362, 174)


class LayersJourney(unittest.TestCase):
    def test_layer_control_data_view_rename_and_visibility(self):
        with ex.Session("layers") as s:
            for f in glob.glob(os.path.join(SAMPLE, "*.k[lw]z")):
                shutil.copy(f, s.folder)
            workspace = s.path("Sample.kwz")
            main = s.start_editor(workspace)
            s.wait_window("Sample", what="the sample map")
            s.info_tool_aside()
            gx, gy, gw, gh = s.geometry(main)
            frame = (gx, gy, gx + gw, gy + gh)
            first = s.settled_shot(frame)
            box = ex.map_box(first, frame)
            place = self.place_point(first, box)
            ink = self.black(first, box)

            # The Places layer shows no tip while its Data View is off.
            s.move(place[0] - 1, place[1])
            known = set(s.windows(""))
            s.move(*place)
            deadline = time.monotonic() + 1.2  # the tip comes 0.5 s after the pointer stops
            while time.monotonic() < deadline:
                self.assertEqual(set(s.windows("")) - known, set(), "a tip appeared with Data View off")
                time.sleep(0.1)
            s.move(box[0] + 5, box[1] + 5)

            # Data View switched on and applied; Cancel then keeps what Apply did.
            dialog, dx, dy = self.layer_control(s)
            s.click(dx + column_x(DATA_VIEW), dy + row_y(PLACES))
            s.click(dx + APPLY_BUTTON[0], dy + APPLY_BUTTON[1])
            s.click(dx + CANCEL_BUTTON[0], dy + CANCEL_BUTTON[1])
            s.wait_gone(dialog, "the Layer Control to close")

            # Resting on a place shows the tip, its tail at the pointer, with text in it.
            s.move(place[0] - 1, place[1])
            known = set(s.windows(""))
            s.move(*place)
            tip = s.wait_window("", what="the quick-info tip", accept=lambda w: w not in known, timeout=5)
            tx, ty, tw, th = s.geometry(tip)
            self.assertLessEqual(abs(tx + tw - 12 - place[0]), 2, "the tip's tail is not at the pointer")
            self.assertLessEqual(abs(ty + th - 10 - place[1]), 2, "the tip's tail is not at the pointer")
            body = (tx + 12, ty + 8, tx + tw - 12, ty + th - 25)
            self.assertGreater(s.settled_shot(body).count(body, ex.dark), 60, "the tip shows no text")
            s.move(place[0] + 40, place[1] + 40)
            s.wait_gone(tip, "the tip to go when the pointer moves away")

            # Water renamed to Lakes, the Names layer hidden.
            dialog, dx, dy = self.layer_control(s)
            s.click(dx + 30, dy + row_y(WATER))
            s.click(dx + RENAME_BUTTON[0], dy + RENAME_BUTTON[1])
            rename = s.wait_dialog("^Rename layer$", what="the rename dialog")
            s.type("Lakes")
            s.key("Return")
            s.wait_gone(rename, "the rename dialog to close")
            s.click(dx + column_x(VISIBLE), dy + row_y(NAMES))
            s.click(dx + OK_BUTTON[0], dy + OK_BUTTON[1])
            s.wait_gone(dialog, "the Layer Control to close")
            hidden = s.settled_shot(box)
            self.assertLess(self.black(hidden, box), ink - 300, "the hidden Names layer is still drawn")
            self.assertGreater(self.count(hidden, box, LAKE), 1000, "the renamed layer is no longer drawn")

            s.key("ctrl+s")
            ex.wait_rows(workspace, "select LayerName, Visible from _LayerProperty",
                         [("Areas", 1), ("Lakes", 1), ("Roads", 1), ("Places", 1), ("Names", 0)],
                         "the saved workspace's layers")
            self.assertFalse(os.path.exists(s.path("Water.klz")), "the old layer file is still there")
            self.assertEqual(ex.rows(s.path("Lakes.klz"), "select count(*) from _MapGeoData"), [(2,)],
                             "the renamed layer file lost its objects")

            # Reopened, the map shows the renamed layer and keeps the names hidden.
            self.exit(s)
            main = s.start_editor(workspace)
            s.wait_window("Sample", what="the saved map")
            s.info_tool_aside()
            again = s.settled_shot(box)
            self.assertGreater(self.count(again, box, LAKE), 1000, "the renamed layer did not reopen")
            self.assertLess(self.black(again, box), ink - 300, "the hidden Names layer reopened visible")

    # ---------------------------------------------------------------- helpers

    def layer_control(self, s):
        known = set(s.windows(""))
        s.key("alt+l")
        s.wait_window("", what="the Layer menu", accept=lambda w: w not in known)
        s.key("c")
        dialog = s.wait_window("^Layer Control$", what="the Layer Control")
        dx, dy, _, _ = s.geometry(dialog)
        return dialog, dx, dy

    def exit(self, s):
        known = set(s.windows(""))
        s.key("alt+f")
        s.wait_window("", what="the File menu", accept=lambda w: w not in known)
        s.key("x")
        self.assertEqual(s.wait_exit(), 0)

    @staticmethod
    def count(shot, rect, colour):
        return shot.count(rect, lambda rgb: ex.near(rgb, colour, 12))

    @staticmethod
    def black(shot, rect):
        """Pixels of the names' black text (and the few black outlines)."""
        return shot.count(rect, lambda rgb: max(rgb) < 90)

    @staticmethod
    def place_point(shot, box):
        """The middle of a place's dot: the first run of the place colour, from the top."""
        l, t, r, b = box
        for y in range(t + 10, b - 10):
            xs = [x for x in range(l + 10, r - 10) if ex.near(shot.pixel(x, y), PLACE, 12)]
            if len(xs) >= 3:
                end = xs[0]
                while end + 1 in xs:
                    end += 1
                x = (xs[0] + end) // 2
                ys = [v for v in range(y, min(y + 20, b)) if ex.near(shot.pixel(x, v), PLACE, 12)]
                return x, (ys[0] + ys[-1]) // 2
        raise AssertionError("no place to be seen on the sample map")


if __name__ == "__main__":
    unittest.main()
