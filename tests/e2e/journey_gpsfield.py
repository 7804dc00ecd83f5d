"""GPS in the field, through the real program: a receiver of a later NMEA
version (a mode letter in RMC and GLL, one more field in GGA) records every fix
and is unplugged mid-recording, which the GPS Data window says while it stays
usable and the saved layer keeps every node recorded before; an editor killed
mid-recording offers the recording back when its map is opened again; a plain
log without checksums and a log with LF line ends are drawn into the map from
the GPS Device menu."""

import functools
import os
import re
import select
import subprocess
import sys
import time
import tty
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import editor_x as ex  # noqa: E402
from journey_gps import connect_new_layer, front, log_fixes, new_map_with_layer, nmea_degrees  # noqa: E402
from journey_gps import save_map_as as save_as  # noqa: E402

MAKE_LAYER = os.path.join(ex.BUILD, "app", "MakeLayerFile")
# A SiRF receiver south of the equator and east of Greenwich, its lines ending in LF alone.
LF_LOG = os.path.join(os.path.dirname(__file__), "..", "data", "nmea", "sirf2-haicom305n.nmea")
NODE, POLYLINE = 5, 7


def checked(body):
    return "$%s*%02X" % (body, functools.reduce(lambda a, c: a ^ ord(c), body, 0))


def dm(value, width, positive, negative):
    a = abs(value)
    d = int(a)
    return "%0*d%07.4f,%s" % (width, d, (a - d) * 60, negative if value < 0 else positive)


def newer_receiver(count):
    """`count` fixes of a receiver of NMEA 2.3 and later, walking north-east from
    47.5 N, 8.5 E: GGA with a 15th field, RMC and GLL with their mode letters."""
    lines = []
    for i in range(count):
        lat, lon = dm(47.5 + i * 1e-4, 2, "N", "S"), dm(8.5 + i * 1e-4, 3, "E", "W")
        clock = "10%02d%02d" % (i // 60, i % 60)
        kind = i % 3
        if kind == 0:
            lines.append(checked("GPGGA,%s,%s,%s,1,09,0.9,400.0,M,48.0,M,,,0" % (clock, lat, lon)))
        elif kind == 1:
            lines.append(checked("GNRMC,%s,A,%s,%s,0.5,90.0,240524,,,A,V" % (clock, lat, lon)))
        else:
            lines.append(checked("GNGLL,%s,%s,%s,A,A" % (lat, lon, clock)))
        lines.append(checked("GPGSV,1,1,04,03,03,111,40,04,15,270,41,06,01,010,42,13,06,292,43"))
    return [(l + "\r\n").encode() for l in lines]


def play(fd, count, hang_up):
    """The receiver: silent until the editor speaks to it, then satellites only
    (no fix yet) until the journey says "go" on its standard input, once the
    editor has connected; then its fixes at a steady pace. With `hang_up` it is
    unplugged after the last (its end of the line closes), else it keeps the
    line open until its standard input ends."""
    heard = b""
    while b"$PSRF" not in heard:
        try:
            heard += os.read(fd, 256)
        except OSError:
            return
    satellites = (checked("GPGSV,1,1,04,03,03,111,40,04,15,270,41,06,01,010,42,13,06,292,43") + "\r\n").encode()
    while not select.select([sys.stdin], [], [], 0.1)[0]:
        os.write(fd, satellites)
    sys.stdin.readline()
    for line in newer_receiver(count):
        os.write(fd, line)
        time.sleep(0.05)
    print("played", flush=True)
    if hang_up:
        os.close(fd)
        return
    sys.stdin.read()


def wait_played(player):
    ready, _, _ = select.select([player.stdout], [], [], 60)
    assert ready and player.stdout.readline().strip() == b"played", "the receiver did not play"


class Receiver:
    """A pseudo-terminal that the profile maps to COM1, played by a child process."""

    def __init__(self, session, count, hang_up):
        master, self.slave = os.openpty()
        tty.setraw(self.slave)
        session.write_profile({"Serial Ports": {"COM1": os.ttyname(self.slave)}})
        self.player = subprocess.Popen([sys.executable, __file__, "--play", str(master), str(count),
                                        "1" if hang_up else "0"],
                                       pass_fds=(master,), stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        os.close(master)

    def go(self):
        """The editor has connected: the fixes follow."""
        self.player.stdin.write(b"go\n")
        self.player.stdin.flush()

    def close(self):
        os.close(self.slave)
        self.player.stdin.close()
        try:
            self.player.wait(10)
        except subprocess.TimeoutExpired:
            self.player.kill()
            self.player.wait()
        self.player.stdout.close()


def new_map_with_base(s, base):
    new_map_with_layer(s, base)
    s.info_tool_aside()


def wait_box(s, what):
    """A message box of the editor, titled as the program, once it has the
    keyboard (keys sent before would go to the window under it)."""
    return s.wait_window("^" + re.escape(ex.MAIN_TITLE) + "$", what=what,
                         accept=lambda w: w != s.main and s.focused() == w)


def nodes_of(layer_file):
    return ex.rows(layer_file, "select g.mapeGeoData, m.Latitude, m.Longitude, m.Time from _MapGeoData g "
                               "join _MapMetaData m using (mapeID) where g.mapeObjectType=%d order by mapeID" % NODE)


class GpsFieldJourney(unittest.TestCase):
    def test_a_newer_receiver_records_every_fix_and_its_unplugging_is_told(self):
        with ex.Session("gpsfield-unplug") as s:
            base, track, workspace = s.path("Base.klz"), s.path("Track.klz"), s.path("Walk.kwz")
            subprocess.run([MAKE_LAYER, base, "Base", "4326"], check=True, capture_output=True)
            receiver = Receiver(s, 40, hang_up=True)
            try:
                new_map_with_base(s, base)
                gps, gx, gy = connect_new_layer(s, track, receiver.go)
                status = (gx + 250, gy + 226, gx + 500, gy + 242)  # the right part of the status line
                self.assertEqual(s.shot().count(status, ex.dark), 0, "the status says more than it is connected")
                wait_played(receiver.player)
                # Unplugged: at its next poll the window says so, in its status line
                # (a ceiling generous for a loaded machine).
                ex.wait_until(lambda: s.shot().count(status, ex.dark) > 20, "the window to tell the receiver lost",
                              timeout=30)
                # It stays usable: Close closes it, as it does when no port is open.
                s.click(gx + 483, gy + 208)
                s.wait_gone(gps, "the GPS Data window to close")
                save_as(s, workspace)
            finally:
                receiver.close()
            ex.wait_rows(track, "select count(*) from _MapGeoData where mapeObjectType=%d" % POLYLINE, [(1,)],
                         "the saved track")
            # Every fix but the first (which centres the map) is a node, in order.
            fixes = []
            for line in newer_receiver(40):
                f = line.decode().strip()[1:].split("*")[0].split(",")
                at = {"GGA": (2, 1), "RMC": (3, 1), "GLL": (1, 5)}.get(f[0][2:])
                if at:
                    lat, clock = at
                    fixes.append((nmea_degrees(f[lat], f[lat + 1]), nmea_degrees(f[lat + 2], f[lat + 3]),
                                  "%s:%s:%s" % (f[clock][0:2], f[clock][2:4], f[clock][4:6])))
            nodes = nodes_of(track)
            self.assertEqual(len(nodes), len(fixes) - 1, "not every fix was recorded")
            for (geometry, latitude, longitude, clock), (lat, lon, time_) in zip(nodes, fixes[1:]):
                self.assertAlmostEqual(float(latitude), lat, delta=1e-6)
                self.assertAlmostEqual(float(longitude), lon, delta=1e-6)
                self.assertEqual(clock, time_)

    def test_a_recording_killed_before_its_save_is_offered_back(self):
        with ex.Session("gpsfield-kill") as s:
            base, track, workspace = s.path("Base.klz"), s.path("Track.klz"), s.path("Walk.kwz")
            journal = track + ".recording.nmea"
            subprocess.run([MAKE_LAYER, base, "Base", "4326"], check=True, capture_output=True)
            receiver = Receiver(s, 30, hang_up=False)
            try:
                new_map_with_base(s, base)
                save_as(s, workspace)
                ex.wait_rows(workspace, "select LayerName from _LayerProperty", [("Base",)], "the saved workspace")
                connect_new_layer(s, track, receiver.go)
                wait_played(receiver.player)

                def recorded():
                    if not os.path.exists(journal):
                        return 0
                    with open(journal) as f:
                        return sum(1 for line in f if line.startswith("$GPGGA"))
                # Every fix but the first, once the window has polled them.
                ex.wait_until(lambda: recorded() == 29, "the recording's journal", timeout=20)
                s.editor.kill()
                s.editor.wait()
            finally:
                receiver.close()
            self.assertEqual(ex.rows(track, "select count(*) from _MapGeoData"), [(0,)],
                             "the killed recording was saved after all")

            # Started again, the map is opened: the recording is offered back.
            s.start_editor()
            s.info_tool_aside()
            s.menu("alt+f", "o")
            dialog = s.wait_dialog("^Open$", what="the Open dialog")
            s.type(workspace)
            s.key("Return")
            s.wait_gone(dialog, "the Open dialog to close")
            question = wait_box(s, "the recording offered back")
            s.key("Return")  # Yes
            s.wait_gone(question, "the question to close")
            front(s)
            s.key("ctrl+s")
            ex.wait_rows(workspace, "select LayerName from _LayerProperty", [("Base",), ("Track",)],
                         "the layer recorded into, back in the saved workspace")
            ex.wait_until(lambda: not os.path.exists(journal), "the journal to go once the map is saved")
            nodes = nodes_of(track)
            self.assertEqual(len(nodes), 29)
            self.assertAlmostEqual(float(nodes[-1][1]), 47.5 + 29 * 1e-4, delta=1e-6)
            self.assertEqual(ex.rows(track, "select count(*) from _MapGeoData where mapeObjectType=%d" % POLYLINE),
                             [(1,)])

    def test_plain_and_lf_logs_are_drawn_from_the_gps_device_menu(self):
        with ex.Session("gpsfield-logs") as s:
            base, workspace = s.path("Base.klz"), s.path("Logs.kwz")
            subprocess.run([MAKE_LAYER, base, "Base", "4326"], check=True, capture_output=True)
            # A logger's plain GGA lines: no checksums, LF line ends.
            plain = s.path("plain.log")
            with open(plain, "w", newline="\n") as f:
                for i in range(12):
                    f.write("$GPGGA,1200%02d,%s,%s,1,05,0.9,1.0,M,46.9,M,,\n"
                            % (i, dm(52.1 + i * 1e-4, 2, "N", "S"), dm(4.3 + i * 1e-4, 3, "E", "W")))
            new_map_with_base(s, base)
            for log in (plain, os.path.abspath(LF_LOG)):
                front(s)
                s.menu("alt+g", "d")
                dialog = s.wait_dialog("^Open$", what="the open dialog of the log")
                s.type(log)
                s.key("Return")
                told = wait_box(s, "the import's summary")
                s.key("Return")
                s.wait_gone(told, "the summary to close")
            save_as(s, workspace)
            ex.wait_rows(base, "select count(*) from _MapGeoData where mapeObjectType=%d" % POLYLINE, [(2,)],
                         "a track of each log")
            nodes = nodes_of(base)
            plain_nodes = [n for n in nodes if float(n[1]) > 50]
            self.assertEqual(len(plain_nodes), 12, "the plain log lost fixes")
            lf_fixes = log_fixes(LF_LOG)
            lf_nodes = [n for n in nodes if float(n[1]) < 0]
            self.assertGreater(len(lf_nodes), 30, "the log with LF ends lost its fixes")
            for _, latitude, longitude, _ in lf_nodes:
                self.assertTrue(any(abs(f[0] - float(latitude)) < 1.5e-6 and abs(f[1] - float(longitude)) < 1.5e-6
                                    for f in lf_fixes), "a node at no fix of the log")


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--play":
        play(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] == "1")
    else:
        unittest.main()
