"""Starting the program the ways people do: the window comes up alone."""

import os

from harness import APP_TITLE, UNTITLED, DesktopCase


class StartTest(DesktopCase):

    def start_and_check(self, program, cwd, expected_title, args=(), env=None):
        app = self.start(*args, program=program, cwd=cwd, env=env)
        self.wait_for(lambda: app.title() == expected_title,
                      f"the title {expected_title!r} after starting {program} in {cwd}")
        boxes = self.quiet_period(app)
        self.check(not boxes, f"starting {program} {' '.join(args)} in {cwd} opened "
                   f"{[t for _, t in boxes]} beside the main window")

    def test_start_without_file_shows_untitled_window_and_no_box(self):
        above = os.path.dirname(self.bin)
        links = os.path.join(self.dir, "links")
        os.makedirs(links)
        link = os.path.join(links, "mxr77c")
        os.symlink(os.path.join(self.bin, "mxr77c"), link)
        on_path = dict(self.env, PATH=self.bin + os.pathsep + self.env["PATH"])
        untitled = f"{UNTITLED} - {APP_TITLE}"
        cases = [
            # (what, program as typed, working folder, environment)
            ("relative path from the folder above", os.path.join(os.path.basename(self.bin),
                                                                 "mxr77c"), above, None),
            ("./mxr77c in its own folder", "./mxr77c", self.bin, None),
            ("absolute path", os.path.join(self.bin, "mxr77c"), self.work, None),
            ("through a symlink", link, self.work, None),
            ("through a relative symlink", os.path.join("..", "links", "mxr77c"),
             self.work, None),
            ("by name through PATH", "mxr77c", self.work, on_path),
        ]
        for what, program, cwd, env in cases:
            with self.row(what):
                self.start_and_check(program, cwd, untitled, env=env)

    def test_start_with_file_shows_its_name_and_no_box(self):
        path = self.new_image("radio.rcf")
        above = os.path.dirname(self.bin)
        on_path = dict(self.env, PATH=self.bin + os.pathsep + self.env["PATH"])
        titled = f"radio.rcf - {APP_TITLE}"
        cases = [
            ("absolute file, relative program", os.path.join(os.path.basename(self.bin),
                                                             "mxr77c"), above, path, None),
            ("file relative to the working folder", os.path.join(self.bin, "mxr77c"),
             self.work, "radio.rcf", None),
            ("./mxr77c with a file", "./mxr77c", self.bin, path, None),
            ("through PATH with a relative file", "mxr77c", self.work, "radio.rcf", on_path),
        ]
        for what, program, cwd, argument, env in cases:
            with self.row(what):
                self.start_and_check(program, cwd, titled, args=(argument,), env=env)
