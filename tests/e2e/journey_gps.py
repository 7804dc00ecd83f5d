"""A GPS receiver recorded into a new layer: a pseudo-terminal plays a real
receiver's log at a steady pace, the profile maps COM1 to it, and the user opens
GPS Device > Serial Port Conn..., opens the port, answers the questions for a
new layer, closes the port and saves. The layer file holds nodes at the log's
own fixes, west longitudes negative, and the track through them."""

import functools
import os
import select
import struct
import subprocess
import sys
import time
import tty
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402

MAKE_LAYER = os.path.join(ex.BUILD, "app", "MakeLayerFile")
# A survey receiver west of Greenwich with GN and GP talkers: GGA and RMC only.
LOG = os.path.join(os.path.dirname(__file__), "..", "data", "nmea", "trimble-rtk.nmea")
LINES_PER_SECOND = 50   # the log's 244 lines in about five seconds

NODE, POLYLINE = 5, 7


def play(fd, log, rate):
    """The receiver: silent until the editor speaks to it (the editor sends its
    SiRF switch on connecting), then the log's lines at a steady pace; it keeps
    the line open until its standard input ends."""
    heard = b""
    while b"$PSRF" not in heard:
        try:
            heard += os.read(fd, 256)
        except OSError:   # hung up: the journey ended first
            return
    with open(log, "rb") as f:
        lines = f.read().splitlines(keepends=True)
    start = time.monotonic()
    for i, line in enumerate(lines):
        delay = start + i / rate - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        os.write(fd, line)
    print("played", flush=True)
    sys.stdin.read()


def nmea_degrees(value, hemisphere):
    raw = float(value)
    degrees = int(raw) // 100 + (raw - 100 * (int(raw) // 100)) / 60
    return -degrees if hemisphere in "SW" else degrees


def log_fixes(path):
    """(latitude, longitude, time) of the log's GGA, GLL and RMC sentences with a
    good checksum, in order."""
    fixes = []
    with open(path, "rb") as f:
        text = f.read().decode("latin-1")
    for line in text.replace("\r", "\n").split("\n"):
        if not line.startswith("$") or "*" not in line:
            continue
        body, _, check = line[1:].partition("*")
        if check[:2].upper() != "%02X" % functools.reduce(lambda a, c: a ^ ord(c), body, 0):
            continue
        f = body.split(",")
        kind = f[0][2:]
        at = {"GGA": (2, 1), "RMC": (3, 1), "GLL": (1, 5)}.get(kind)
        if not at:
            continue
        lat, clock = at
        if f[lat] and f[lat + 1] and f[lat + 2] and f[lat + 3]:
            hhmmss = f[clock][:6]
            fixes.append((nmea_degrees(f[lat], f[lat + 1]), nmea_degrees(f[lat + 2], f[lat + 3]),
                          "%s:%s:%s" % (hhmmss[0:2], hhmmss[2:4], hhmmss[4:6])))
    return fixes


def new_map_with_layer(s, layer_file):
    """Starts the editor, makes a new map and loads the layer file into it."""
    s.start_editor()
    s.menu("alt+f", "n")
    s.wait_window("Veltrin Terravue1$", what="the new map")
    s.menu("alt+f", "l")
    dialog = s.wait_dialog("^Open$", what="the Load Layer dialog")
    s.type(layer_file)
    s.key("Return")
    s.wait_gone(dialog, "the Load Layer dialog to close")


def front(s):
    """Clicks the main window's status bar, which brings it forward with the keyboard."""
    mx, my, mw, mh = s.geometry(s.main)
    s.click(mx + mw // 2, my + mh - 8)


def connect_new_layer(s, layer_file, asked=lambda: None):
    """GPS Device > Serial Port Conn..., Open Port (COM1 at 4800 baud as the
    window offers); the map has a layer, so the window asks whether to record
    into a new one (`asked` runs then): yes, "Track", stored at `layer_file`.
    The GPS Data window and its position."""
    front(s)
    s.menu("alt+g", "s")
    gps = s.wait_window("^GPS Data$", what="the GPS Data window")
    gx, gy, _, _ = s.geometry(gps)
    known = set(s.windows(""))
    s.click(gx + 387, gy + 20)  # Open Port
    question = s.wait_window("", what="the new layer question", accept=lambda w: w not in known)
    asked()
    s.key("Return")
    s.wait_gone(question, "the question to close")
    s.wait_dialog("^Add new layer$", what="the layer name dialog")
    s.type("Track")
    s.key("Return")
    dialog = s.wait_dialog("^Save As$", what="the new layer's file dialog")
    s.type(layer_file)
    s.key("Return")
    s.wait_gone(dialog, "the layer file dialog to close")
    return gps, gx, gy


def save_map_as(s, workspace):
    """Ctrl+S on a map without a workspace: the Save As dialog, the name typed."""
    front(s)
    s.key("ctrl+s")
    dialog = s.wait_dialog("^Save As$", what="the Save As dialog")
    s.type(workspace)
    s.key("Return")
    s.wait_gone(dialog, "the Save As dialog to close")


class GpsJourney(unittest.TestCase):
    def test_record_a_receiver_into_a_new_layer(self):
        with ex.Session("gps") as s:
            base, track, workspace = s.path("Base.klz"), s.path("Track.klz"), s.path("Walk.kwz")
            # A layer in WGS 84, so that the map's coordinates are the fixes' own degrees.
            subprocess.run([MAKE_LAYER, base, "Base", "4326"], check=True, capture_output=True)
            master, slave = os.openpty()
            tty.setraw(slave)
            s.write_profile({"Serial Ports": {"COM1": os.ttyname(slave)}})
            player = subprocess.Popen([sys.executable, __file__, "--play", str(master), LOG, str(LINES_PER_SECOND)],
                                      pass_fds=(master,), stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            os.close(master)
            try:
                self.journey(s, player, base, track, workspace)
            finally:
                # The line hangs up with its last holder gone, which ends a
                # player still waiting to be spoken to.
                os.close(slave)
                player.stdin.close()
                try:
                    player.wait(10)
                except subprocess.TimeoutExpired:
                    player.kill()
                    player.wait()
                player.stdout.close()

    def journey(self, s, player, base, track, workspace):
        new_map_with_layer(s, base)
        gps, gx, gy = connect_new_layer(s, track)

        ready, _, _ = select.select([player.stdout], [], [], 30)
        self.assertTrue(ready and player.stdout.readline().strip() == b"played", "the receiver did not play its log")
        s.click(gx + 483, gy + 20)  # Close Port: the track goes into the layer
        s.click(gx + 483, gy + 208)  # Close
        s.wait_gone(gps, "the GPS Data window to close")

        save_map_as(s, workspace)
        ex.wait_rows(track, "select count(*) from _MapGeoData where mapeObjectType=%d" % POLYLINE, [(1,)],
                     "the saved track")
        self.assertEqual(ex.rows(workspace, "select LayerName from _LayerProperty"), [("Base",), ("Track",)])
        self.assertEqual(ex.rows(base, "select count(*) from _MapGeoData"), [(0,)], "the old layer was recorded into")

        # Every node lies at a fix of the log, in the log's order, and carries it.
        fixes = log_fixes(LOG)
        nodes = ex.rows(track, "select g.mapeGeoData, m.Latitude, m.Longitude, m.Time from _MapGeoData g "
                               "join _MapMetaData m using (mapeID) where g.mapeObjectType=%d order by mapeID" % NODE)
        self.assertGreater(len(nodes), 30, "too few fixes were recorded")
        at = 0
        for geometry, latitude, longitude, clock in nodes:
            lat, lon = float(latitude), float(longitude)
            found = [i for i in range(at, len(fixes))
                     if abs(fixes[i][0] - lat) < 1.5e-6 and abs(fixes[i][1] - lon) < 1.5e-6 and fixes[i][2] == clock]
            self.assertTrue(found, "a node at %s, %s (%s) is no later fix of the log" % (latitude, longitude, clock))
            at = found[0]
            x, y = struct.unpack("<2f", geometry)
            self.assertAlmostEqual(x, lon, delta=1e-5, msg="a node is not at its longitude")
            self.assertAlmostEqual(y, lat, delta=1e-5, msg="a node is not at its latitude")

        # The track runs through the nodes, in their order.
        (line,), = ex.rows(track, "select mapeGeoData from _MapGeoData where mapeObjectType=%d" % POLYLINE)
        vertices = struct.unpack("<%df" % (len(line) // 4), line)
        self.assertEqual([vertices[i:i + 2] for i in range(0, len(vertices), 2)],
                         [struct.unpack("<2f", n[0]) for n in nodes], "the track does not run through the nodes")


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--play":
        play(int(sys.argv[2]), sys.argv[3], float(sys.argv[4]))
    else:
        unittest.main()
