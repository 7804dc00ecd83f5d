"""`cmake --install` into a fresh prefix: a stripped program, its data under
share/ (the projection catalogue and the sample map), an icon for the desktop
entry and the workspace type, a desktop entry desktop-file-validate accepts;
and the installed program started on the installed sample finds its catalogue
and draws the map."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

DATA = os.path.join("share", "terravue-desktop")


class InstallCheck(unittest.TestCase):
    def test_installed_tree_and_program(self):
        with ex.Session("install") as s:
            prefix = s.path("prefix")
            subprocess.run(["cmake", "--install", ex.BUILD, "--prefix", prefix], check=True, capture_output=True)

            def at(*parts):
                return os.path.join(prefix, *parts)
            program = at("bin", "mapeditor")
            sections = subprocess.run(["readelf", "-S", "-W", program], check=True, capture_output=True,
                                      text=True).stdout
            self.assertFalse(".symtab" in sections, "the installed program is not stripped")
            self.assertFalse(".debug_info" in sections, "the installed program carries debug information")

            self.assertFalse(os.path.exists(at("bin", "Projections.dat")), "data installed beside the program")
            self.assertTrue(os.path.isfile(at(DATA, "Projections.dat")), "no projection catalogue under share/")
            for name in ("Sample.kwz", "Areas.klz", "Water.klz", "Roads.klz", "Places.klz", "Names.klz"):
                self.assertTrue(os.path.isfile(at(DATA, "sample", name)), "the sample's %s is not installed" % name)

            entry = at("share", "applications", "terravue-desktop.desktop")
            icon = [line.split("=", 1)[1] for line in open(entry).read().splitlines() if line.startswith("Icon=")]
            self.assertEqual(len(icon), 1, "the desktop entry names no icon")
            self.assertTrue(os.path.isfile(at("share", "icons", "hicolor", "scalable", "apps", icon[0] + ".svg")),
                            "the desktop entry's icon is not installed")
            mime = open(at("share", "mime", "packages", "terravue-workspace.xml")).read()
            self.assertIn('<icon name="%s"/>' % icon[0], mime, "the workspace type names no icon")
            check = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
            self.assertEqual((check.returncode, check.stdout + check.stderr), (0, ""))

            # The installed program, started on the installed sample, finds the
            # catalogue through the install layout: the map is drawn, and no
            # message box says the catalogue is missing.
            main = s.start_editor(at(DATA, "sample", "Sample.kwz"), program=program)
            s.wait_window("Sample", what="the installed sample map")
            gx, gy, gw, gh = s.geometry(main)
            shot = s.settled_shot((gx, gy, gx + gw, gy + gh))
            self.assertGreater(shot.count((gx, gy, gx + gw, gy + gh), lambda rgb: ex.near(rgb, (170, 210, 140), 12)),
                               2000, "the installed sample map is not drawn")
            others = [s.title(w) for w in s.windows("") if w != main and s.title(w) != "Info Tool"]
            self.assertEqual(others, [], "the installed program showed a message")


if __name__ == "__main__":
    unittest.main()
