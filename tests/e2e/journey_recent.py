"""The recent-file list across a restart: two maps opened, the editor ended with
File > Exit and started again without a file; each entry of File's list opens its
map. Ctrl+O with a name that does not exist asks before it makes a file."""

import glob
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

SAMPLE = os.path.join(ex.BUILD, "app", "sample")


class RecentJourney(unittest.TestCase):
    def test_each_recent_entry_opens_its_map(self):
        with ex.Session("recent") as s:
            maps = []
            for name in ("North", "South"):
                folder = s.path(name.lower())
                os.makedirs(folder)
                for f in glob.glob(os.path.join(SAMPLE, "*.klz")):
                    shutil.copy(f, folder)
                shutil.copy(os.path.join(SAMPLE, "Sample.kwz"), os.path.join(folder, name + ".kwz"))
                maps.append(os.path.join(folder, name + ".kwz"))

            s.start_editor(*maps)
            s.wait_window("South", what="the second map")
            s.menu("alt+f", "x")
            self.assertEqual(s.wait_exit(), 0)

            # The last map opened is the first entry.
            s.start_editor()
            s.menu("alt+f", "1")
            s.wait_window(r"South\.kwz", what="the first recent entry's map")
            s.menu("alt+f", "c")
            s.wait_window(r"^Terravue Desktop$", what="the map to close")
            s.menu("alt+f", "2")
            s.wait_window(r"North\.kwz", what="the second recent entry's map")

            # A name that does not exist: No makes nothing and returns to the dialog.
            missing = s.path("Missing.kwz")
            known = set(s.windows(""))
            s.key("ctrl+o")
            dialog = s.wait_dialog("^Open$", what="the Open dialog")
            s.type(missing)
            s.key("Return")
            question = s.wait_window("", what="the question whether to create the file",
                                     accept=lambda w: w not in known and w != dialog)
            s.key("Escape")
            s.wait_gone(question, "the question to close")
            dialog = s.wait_window("^Open$", what="the Open dialog again after No")
            s.key("Escape")
            s.wait_gone(dialog, "the Open dialog to close")
            self.assertFalse(os.path.exists(missing), "a file was made without asking")


if __name__ == "__main__":
    unittest.main()
