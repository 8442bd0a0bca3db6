#!/usr/bin/env python3
"""The installed application on a private X display: it finds its companion
files in share/mxr77c, and Help > manual hands the installed manual to the
desktop's opener.

    installed_app.py BUILD_DIR

Uses the desktop suite's harness (display, window manager, private folders).
"""

import os
import shutil
import subprocess
import sys
import unittest

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "desktop"))

import harness  # noqa: E402
from harness import APP_TITLE, UNTITLED, DesktopCase  # noqa: E402

BUILD = None


class InstalledAppTest(DesktopCase):

    def install(self, name):
        prefix = os.path.join(self.dir, name)
        subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix],
                       check=True, stdout=subprocess.DEVNULL)
        return prefix

    def test_installed_program_finds_its_initial_image_and_manual(self):
        prefix = self.install("prefix")
        # A stand-in for the desktop's opener records what it was asked to open.
        opener_dir = os.path.join(self.dir, "opener")
        os.makedirs(opener_dir)
        opened = os.path.join(self.dir, "opened")
        opener = os.path.join(opener_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{opened}"\n')
        os.chmod(opener, 0o755)
        env = dict(self.env, PATH=opener_dir + os.pathsep + self.env["PATH"])

        app = self.start(program=os.path.join(prefix, "bin", "mxr77c"), env=env)
        self.wait_for(lambda: app.title() == f"{UNTITLED} - {APP_TITLE}",
                      "the untitled main window of the installed program")
        self.check(not self.quiet_period(app), "the installed program opened a box", app)

        self.focus_main()
        self.key("alt+h")
        self.wait_for_popup("the Help menu to drop down")
        self.key("m")
        self.wait_for(lambda: os.path.exists(opened), "the manual to be handed to xdg-open")
        with open(opened) as f:
            url = f.read().strip()
        manual = os.path.join(prefix, "share", "mxr77c", "MXR77C.pdf")
        self.check(url in (manual, "file://" + manual),
                   f"Help > manual opened {url!r}, not {manual!r}", app)
        self.check(not app.dialogs(), "Help > manual showed an error box", app)

    def test_without_its_initial_image_the_installed_program_stops_at_the_message(self):
        prefix = self.install("broken")
        os.remove(os.path.join(prefix, "share", "mxr77c", "MXR77C.rcs"))
        app = self.start(program=os.path.join(prefix, "bin", "mxr77c"), wait=False)
        # The file reader's own error box, then the start-up's message about
        # the initial image: each is answered with its OK, in its lower right
        # corner, and no main window ever shows.
        boxes = 0
        while boxes < 3:
            box = self.wait_for(lambda: next((w for w, _ in app.dialogs()), None) or
                                (None if app.running() else "gone"),
                                "a box about the missing initial image", app=app)
            if box == "gone":
                break
            boxes += 1
            self.check(app.main_window() is None,
                       "a main window came up without the initial image", app)
            self.settle(0.3)
            _, _, width, height = app.geometry(box)
            self.click(width - 50, height - 23, window=box)
            self.wait_for(lambda: not app.running() or
                          box not in [w for w, _ in app.windows()], "the box to close", app=app)
        self.check(boxes == 2, f"{boxes} boxes before the program ended, not 2", app)
        status = self.wait_for_exit(app)
        self.check(status == 1, f"the program ended with {status}, not 1", app)


def main():
    global BUILD
    BUILD = os.path.abspath(sys.argv[1])
    harness.Environment.setup(os.path.join(BUILD, "bin"))
    ok = False
    try:
        suite = unittest.defaultTestLoader.loadTestsFromTestCase(InstalledAppTest)
        ok = unittest.TextTestRunner(stream=sys.stdout, verbosity=2).run(suite).wasSuccessful()
    finally:
        if not ok:
            print(f"temporary folder kept: {harness.Environment.root}")
        harness.Environment.teardown(keep=not ok)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
