"""A receiver's log looked at through Layer > Import Layer > GPS data log: the
file chosen in the open dialog, the View Data Import dialog lists its positions
and draws the track through them, north up and east to the right, south
latitudes kept south; OK closes it and the map is left as it was."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402
from journey_gps import log_fixes  # noqa: E402

# A SiRF receiver south of the equator and east of Greenwich: GGA, RMC, VTG, GSA, GSV.
LOG = os.path.join(os.path.dirname(__file__), "..", "data", "nmea", "sirf2-haicom305n.nmea")

BLACK, WHITE = (0, 0, 0), (255, 255, 255)


class GpsLogJourney(unittest.TestCase):
    def test_view_a_receivers_log(self):
        with ex.Session("gpslog") as s:
            s.start_editor()
            s.info_tool_aside()
            s.menu("alt+f", "n")
            s.wait_window("Veltrin Terravue1$", what="the new map")
            s.menu("alt+l", "i")
            s.key("g")
            dialog = s.wait_dialog("^Open$", what="the open dialog of the log")
            s.type(os.path.abspath(LOG))
            s.key("Return")
            viewer = s.wait_window("^View Data Import$", what="the log viewer")
            vx, vy, vw, vh = s.geometry(viewer)
            shot = s.settled_shot((vx, vy, vx + vw, vy + vh))

            # The list, right of the preview: its first row has text.
            row = (vx + 395, vy + 31, vx + vw - 30, vy + 44)
            self.assertGreater(shot.count(row, ex.dark), 40, "the list shows no positions")

            # The preview: black, with the track in white through every position,
            # both axes at one scale, longitude to the right and latitude up.
            l, t, r, b = self.preview(shot, vx, vy)
            fixes = log_fixes(LOG)
            self.assertTrue(fixes and all(lat < 0 and lon > 0 for lat, lon, _ in fixes), "not a log south-east")
            lats, lons = [f[0] for f in fixes], [f[1] for f in fixes]
            extent = max(max(lats) - min(lats), max(lons) - min(lons))
            side = min(r - l, b - t) - 1
            missed = []
            for lat, lon, _ in fixes:
                x = l + round((lon - min(lons)) / extent * side)
                y = b - 1 - round((lat - min(lats)) / extent * side)
                if not any(shot.pixel(x + i, y + j) == WHITE for i in (-1, 0, 1) for j in (-1, 0, 1)):
                    missed.append((lat, lon))
            self.assertEqual(len(missed), 0, "%d of %d positions off the preview's track" % (len(missed), len(fixes)))
            self.assertGreater(shot.count((l, t, r, b), lambda p: p == WHITE), 300, "the preview draws no track")

            # OK closes the viewer; the map was not changed, so Exit asks nothing.
            s.click(vx + 48, vy + vh - 22)
            s.wait_gone(viewer, "the log viewer to close")
            s.menu("alt+f", "x")
            self.assertEqual(s.wait_exit(), 0)
            self.assertEqual([f for f in os.listdir(s.folder) if f.endswith((".klz", ".kwz"))], [],
                             "the viewer wrote a file")

    @staticmethod
    def preview(shot, vx, vy):
        """The preview's client area: the black field in the dialog's top-left,
        inside its one-pixel border, right and bottom excluded."""
        x, y = vx + 4, vy + 4
        while shot.pixel(x, y) != BLACK:
            x, y = x + 1, y + 1
            assert x < vx + 60, "no preview to be seen"
        r, b = x, y
        while shot.pixel(r, y + 20) in (BLACK, WHITE):
            r += 1
        while shot.pixel(x + 20, b) in (BLACK, WHITE):
            b += 1
        return x + 1, y + 1, r - 1, b - 1


if __name__ == "__main__":
    unittest.main()
