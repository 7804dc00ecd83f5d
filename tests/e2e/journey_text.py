"""A text of the user's own words, with the mouse and the keyboard only: File >
New, load a layer, place a text with the Text tool, Object > Properties, type
the words into Text Properties and confirm, save, File > Exit, and start again
with the saved file; then File > Preferences... opens and closes."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

MAKE_LAYER = os.path.join(ex.BUILD, "app", "MakeLayerFile")


class TextJourney(unittest.TestCase):
    def test_a_placed_text_gets_its_own_words_and_keeps_them(self):
        with ex.Session("text") as s:
            layer = s.path("Notes.klz")
            workspace = s.path("Notes.kwz")
            subprocess.run([MAKE_LAYER, layer, "Notes"], check=True, capture_output=True)

            main = s.start_editor()
            s.info_tool_aside()
            s.menu("alt+f", "n")
            s.wait_window("Veltrin Terravue1$", what="the new map")
            s.menu("alt+f", "l")
            dialog = s.wait_dialog("^Open$", what="the Load Layer dialog")
            s.type(layer)
            s.key("Return")
            s.wait_gone(dialog, "the Load Layer dialog to close")

            gx, gy, gw, gh = s.geometry(main)
            frame = (gx, gy, gx + gw, gy + gh)
            l, t, r, b = ex.map_box(s.settled_shot(frame), frame)

            # Map > Drawing > Text, a click: the new text "Text" is drawn and selected.
            s.menu("alt+m", "d", "t")
            s.click(l + 150, t + 120)
            placed = s.settled_shot((l, t, r, b))
            self.assertGreater(placed.count((l + 140, t + 100, l + 220, t + 130), ex.dark), 5, "no text was placed")

            # Object > Properties...: Text Properties shows the text, the words are typed
            # over it; Tab leaves the text for the X field, where Enter is OK.
            s.menu("alt+o", "p")
            dialog = s.wait_dialog("^Text Properties$", what="the Text Properties dialog")
            s.key("ctrl+a")
            s.type("Old Mill")
            s.key("Tab", "Tab", "Return")
            s.wait_gone(dialog, "the Text Properties dialog to close")

            # Save asks for the new map's workspace name; the layer keeps the words.
            s.key("ctrl+s")
            dialog = s.wait_dialog("^Save As$", what="the Save As dialog")
            s.type(workspace)
            s.key("Return")
            ex.wait_rows(layer, "select mapeGeoData from _MapGeoData where mapeObjectType=12", [("Old Mill",)],
                         "the text's own words in the saved layer")
            s.menu("alt+f", "x")
            self.assertEqual(s.wait_exit(), 0)

            # Started again with the file: the words are drawn where the text was placed.
            main = s.start_editor(workspace)
            s.info_tool_aside()
            s.wait_window("Notes", what="the saved map")
            gx, gy, gw, gh = s.geometry(main)
            frame = (gx, gy, gx + gw, gy + gh)
            box = ex.map_box(s.settled_shot(frame), frame)
            shot = s.settled_shot(box)
            self.assertGreater(shot.count(box, ex.dark), 20, "the reopened map shows no text")

            # File > Preferences... opens the sheet; Escape closes it unchanged.
            s.menu("alt+f", "e")
            sheet = s.wait_window("^Preferences\\.\\.\\.$", what="the preference sheet")
            s.key("Escape")
            s.wait_gone(sheet, "the preference sheet to close")
            ex.wait_rows(layer, "select mapeGeoData from _MapGeoData where mapeObjectType=12", [("Old Mill",)],
                         "the text unchanged")


if __name__ == "__main__":
    unittest.main()
