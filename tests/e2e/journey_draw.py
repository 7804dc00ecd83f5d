"""A new user's first map, with the mouse and the keyboard only: start without a
file, File > New, New Layer with a field of its own, draw a polygon, a polyline,
a rectangle, a node and a text, select and move one, Delete, the arrow keys,
Ctrl+Z and Ctrl+Y, save, File > Exit, and start again with the saved file: the
same picture, the layer and its field."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

# Object types as the layer file stores them (mapeObjectType).
RECTANGLE, NODE, POLYGON, POLYLINE, TEXT = 0, 5, 6, 7, 12


class DrawJourney(unittest.TestCase):
    def test_first_map_from_start_to_restart(self):
        with ex.Session("draw") as s:
            layer = s.path("Sketch.klz")
            workspace = s.path("Sketch.kwz")

            main = s.start_editor()
            # Out of the way of the map, as a user would drag it.
            s.info_tool_aside()

            # The pointer resting on a toolbar button (New, the first of the Standard
            # toolbar) shows its tip below it.
            mx, my, _, _ = s.geometry(main)
            self.known = set(s.windows(""))
            s.move(mx + 19, my + 29)
            s.move(mx + 20, my + 30)
            tip = self.new_popup(s, "the button's tip")
            tx, ty, tw, th = s.geometry(tip)
            self.assertTrue(0 <= tx - (mx + 20) < 40 and 0 < ty - (my + 30) < 40, "the tip is not at the pointer")
            self.assertGreater(s.shot().count((tx, ty, tx + tw, ty + th), ex.dark), 10, "the tip shows no text")
            s.move(mx + 300, my + 300)
            s.wait_gone(tip, "the tip to go when the pointer leaves the button")

            # Without a document the menu bar is there and opens from the keyboard.
            opened = self.open_menu(s, "alt+f")
            s.key("Escape")
            s.wait_gone(opened, "the File menu to close")
            opened = self.open_menu(s, "F10")
            s.key("Escape")
            s.wait_gone(opened, "the first menu to close")

            # File > New, then Layer > New Layer: the layer's name, its file, and a
            # text field added in the layer data structure dialog.
            self.open_menu(s, "alt+f")
            s.key("n")
            s.wait_window("Veltrin Terravue1$", what="the new map")
            self.open_menu(s, "alt+l")
            s.key("n")
            dialog = s.wait_dialog("^Add new layer$", what="the layer name dialog")
            s.type("Sketch")
            s.key("Return")
            s.wait_gone(dialog, "the layer name dialog to close")
            dialog = s.wait_dialog("^Save As$", what="the new layer's file dialog")
            s.type(layer)
            s.key("Return")
            s.wait_gone(dialog, "the layer file dialog to close")
            dialog = s.wait_dialog("^Layer data structure$", what="the layer data structure dialog")
            dx, dy, _, _ = s.geometry(dialog)
            s.click(dx + 48, dy + 292)  # Add (the dialog takes no Alt+letter)
            s.type("Owner")
            self.known = set(s.windows(""))
            s.click(dx + 243, dy + 292)  # OK
            question = s.wait_window("", what="the question to keep the changes", accept=lambda w: w not in self.known)
            s.key("Return")
            s.wait_gone(question, "the question to close")
            s.wait_gone(dialog, "the layer data structure dialog to close")

            gx, gy, gw, gh = s.geometry(main)
            frame = (gx, gy, gx + gw, gy + gh)
            l, t, r, b = ex.map_box(s.settled_shot(frame), frame)
            self.assertGreater(r - l, 480, "the map window is too small to draw in")
            self.assertGreater(b - t, 260, "the map window is too small to draw in")
            self.map = (l, t, r, b)

            def at(x, y):
                return l + x, t + y

            # Each drawing tool from the Map > Drawing menu, by its mnemonic.
            self.tool(s, "p")
            s.click(*at(40, 40))
            s.click(*at(140, 40))
            s.double_click(*at(90, 120))
            self.tool(s, "y")
            s.click(*at(200, 40))
            s.click(*at(300, 60))
            s.double_click(*at(250, 140))
            self.tool(s, "r")
            s.drag([at(350, 40), at(400, 80), at(450, 120)])
            self.tool(s, "n")
            s.click(*at(100, 220))
            self.tool(s, "t")
            s.click(*at(250, 220))
            s.click(*at(400, 260))  # nothing there: the selection is cleared

            drawn = s.settled_shot(self.map)
            self.assertTrue(self.ink(drawn, at(40, 40), at(140, 41)), "the polygon's top edge is not drawn")
            self.assertTrue(self.ink(drawn, at(350, 40), at(351, 120)), "the rectangle's left edge is not drawn")
            self.assertTrue(self.ink(drawn, at(96, 216), at(105, 225)), "the node is not drawn")
            self.assertTrue(self.ink(drawn, at(250, 210), at(290, 235)), "the text is not drawn")

            # The rectangle dragged by its inside onto the polygon's right edge: the
            # edge stays in sight through the selected rectangle, which is hollow.
            s.drag([at(400, 80), at(300, 90), at(170, 100)])
            over = s.settled_shot(self.map)
            self.assertTrue(self.ink(over, at(121, 62), at(131, 70)), "the moved rectangle covers the polygon")
            s.click(*at(400, 260))
            moved = s.settled_shot(self.map)
            self.assertFalse(self.ink(moved, at(350, 50), at(351, 75)), "the rectangle's old left edge is still drawn")
            self.assertTrue(self.ink(moved, at(119, 80), at(121, 135)), "the moved rectangle is not drawn")

            # The keyboard reaches the map window from a real click: the arrows nudge
            # the selected rectangle, Delete deletes the selected node.
            s.click(*at(200, 120))
            s.key("Right", "Right", "Right", "Right", "Right")
            s.click(*at(400, 260))
            nudged = s.settled_shot(self.map)
            self.assertGreater(self.left_edge(nudged, at(106, 100)), self.left_edge(moved, at(106, 100)),
                               "the arrow keys did not move the rectangle right")

            s.click(*at(100, 220))
            self.known = set(s.windows(""))
            s.key("Delete")
            question = s.wait_window("", what="the delete question", accept=lambda w: w not in self.known)
            s.key("Return")
            s.wait_gone(question, "the delete question to close")
            s.click(*at(400, 260))
            self.assertFalse(self.ink(s.settled_shot(self.map), at(96, 216), at(105, 225)),
                             "Delete left the node")
            s.key("ctrl+z")
            self.assertTrue(self.ink(s.settled_shot(self.map), at(96, 216), at(105, 225)),
                            "Ctrl+Z did not bring the node back")
            s.key("ctrl+y")
            before_save = s.settled_shot(self.map)
            self.assertFalse(self.ink(before_save, at(96, 216), at(105, 225)), "Ctrl+Y did not delete the node again")

            # Save: the map has no workspace yet, so Save asks for its name.
            s.key("ctrl+s")
            dialog = s.wait_dialog("^Save As$", what="the Save As dialog")
            s.type(workspace)
            s.key("Return")
            ex.wait_rows(layer, "select mapeObjectType from _MapGeoData order by mapeObjectType",
                         [(RECTANGLE,), (POLYGON,), (POLYLINE,), (TEXT,)], "the saved layer's objects")
            self.assertTrue(os.path.exists(workspace), "no workspace was written")
            self.assertEqual(ex.rows(workspace, "select LayerName from _LayerProperty"), [("Sketch",)])
            self.assertIn("Owner", [c[1] for c in ex.rows(layer, "pragma table_info(_MapMetaData)")],
                          "the layer file has no column for the field added to it")

            # File > Exit ends the program, and well.
            self.open_menu(s, "alt+f")
            s.key("x")
            self.assertEqual(s.wait_exit(), 0)

            # Started again with the file, the map shows every object where it was,
            # pixel for pixel: the view the workspace stored, not a new fit.
            main = s.start_editor(workspace)
            s.info_tool_aside()
            s.wait_window("Sketch", what="the saved map")
            again = s.settled_shot(self.map)
            if again.region(self.map) != before_save.region(self.map):
                differing = sum(1 for y in range(t, b) for x in range(l, r) if before_save.pixel(x, y) != again.pixel(x, y))
                self.fail("the reopened map differs from the saved one in %d pixels" % differing)

            # Layer > Layer Structure lists the field of the layer.
            self.open_menu(s, "alt+l")
            s.key("s")
            dialog = s.wait_window("^Layer data structure$", what="the layer data structure dialog")
            dx, dy, _, _ = s.geometry(dialog)
            row = (dx + 14, dy + 80, dx + 110, dy + 94)  # the list's first row, the name column
            self.assertGreater(s.settled_shot(row).count(row, ex.dark), 20, "the field is not listed")
            s.key("Escape")
            s.wait_gone(dialog, "the layer data structure dialog to close")

    # ---------------------------------------------------------------- helpers

    def new_popup(self, s, what="a menu"):
        return s.wait_window("", what=what, accept=lambda w: w not in self.known)

    def open_menu(self, s, keys):
        self.known = set(s.windows(""))
        s.key(keys)
        return self.new_popup(s)

    def tool(self, s, letter):
        self.open_menu(s, "alt+m")
        s.key("d", letter)

    @staticmethod
    def ink(shot, a, b):
        """Whether anything dark lies in the rectangle from a to b."""
        return shot.count((a[0], a[1], b[0] + 1, b[1] + 1), ex.dark) > 0

    def left_edge(self, shot, start):
        x, y = start
        while x < self.map[2] and not ex.dark(shot.pixel(x, y)):
            x += 1
        return x


if __name__ == "__main__":
    unittest.main()
