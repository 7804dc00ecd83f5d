"""The run command as a newcomer meets it, with the programs it calls stood in
for: on a machine without a display it says that the editor runs on a hidden
virtual X server and how to stop it; with every package present it neither
calls apt nor talks about packages; JOBS limits the build's jobs (all cores by
default)."""

import os
import subprocess
import tempfile
import unittest

ROOT = os.environ.get("KV_SOURCE_DIR", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

# Each stand-in writes its name and arguments to the log and succeeds.
STUB = """#!/bin/sh
echo "$(basename "$0") $*" >> "{log}"
{extra}
"""


class RunEditorCheck(unittest.TestCase):
    def run_command(self, **env_extra):
        with tempfile.TemporaryDirectory(prefix="kv-run-editor-") as folder:
            log = os.path.join(folder, "calls.log")
            open(log, "w").close()
            stubs = {
                "cmake": "",
                "xvfb-run": "",
                "apt-get": "",
                "sudo": "",
                # Every package is there.
                "dpkg-query": 'printf "install ok installed"',
            }
            for name, extra in stubs.items():
                path = os.path.join(folder, name)
                with open(path, "w") as f:
                    f.write(STUB.format(log=log, extra=extra))
                os.chmod(path, 0o755)
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "JOBS")}
            env["PATH"] = folder + os.pathsep + env["PATH"]
            env.update(env_extra)
            done = subprocess.run(["bash", os.path.join(ROOT, "tools", "run-editor.sh")], env=env,
                                  capture_output=True, text=True, timeout=60)
            return done, open(log).read().splitlines()

    def test_hidden_display_quiet_check_and_jobs(self):
        done, calls = self.run_command(JOBS="2")
        self.assertEqual(done.returncode, 0, done.stderr)
        said = done.stdout + done.stderr
        self.assertIn("hidden virtual X", said, "no word that the editor runs where it cannot be seen")
        self.assertIn("Ctrl+C", said, "no word on how to stop it")
        self.assertNotIn("install-deps", said, "the package check talks although nothing is missing")
        self.assertFalse([c for c in calls if c.startswith(("apt-get", "sudo"))], "apt was called: %s" % calls)
        builds = [c for c in calls if c.startswith("cmake --build")]
        self.assertEqual(len(builds), 1, calls)
        self.assertIn("-j 2 ", builds[0] + " ", "JOBS did not limit the build")
        self.assertTrue([c for c in calls if c.startswith("xvfb-run")], "the editor was not started")

    def test_all_cores_by_default(self):
        done, calls = self.run_command()
        self.assertEqual(done.returncode, 0, done.stderr)
        builds = [c for c in calls if c.startswith("cmake --build")]
        cores = subprocess.run(["nproc"], capture_output=True, text=True, check=True).stdout.strip()
        self.assertIn("-j %s " % cores, builds[0] + " ")


if __name__ == "__main__":
    unittest.main()
