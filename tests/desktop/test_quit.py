"""Quitting every way a person does: a clean end, settings kept, lock freed."""

import os

from harness import DesktopCase, pointer_to, wait_until, xdo

# The File menu's title in the menu bar, relative to the main window.
FILE_MENU = (45, 11)


class QuitTest(DesktopCase):

    def quit_by_menu_mouse(self):
        self.click(*FILE_MENU)
        menu = self.wait_for_popup("the File menu to drop down")
        x, y, w, h = self.app.geometry(menu)
        # Exit is the menu's last item.
        self.click(w // 2, h - 12, window=menu)

    def quit_by_menu_keys(self):
        self.focus_main()
        self.key("alt+f")
        self.wait_for_popup("the File menu to drop down")
        self.key("x")

    def quit_by_alt_f4(self):
        self.focus_main()
        self.key("alt+F4")

    def quit_by_close_button(self):
        # The window manager's close button: the right end of the title bar.
        fx, fy, fw, fh = self.app.frame()
        cx, cy, cw, ch = self.app.geometry()
        pointer_to(fx + fw - 12, fy + (cy - fy) // 2)
        xdo("click", 1)

    def drag_window(self, dx, dy):
        """Moves the main window by its title bar, as a person would."""
        fx, fy, fw, fh = self.app.frame()
        cx, cy, cw, ch = self.app.geometry()
        grab = (fx + fw // 2, fy + (cy - fy) // 2)
        pointer_to(*grab)
        xdo("mousedown", 1)
        for step in range(1, 6):
            pointer_to(grab[0] + dx * step // 5, grab[1] + dy * step // 5)
        xdo("mouseup", 1)
        moved = wait_until(lambda: self.app.geometry()[:2] == (cx + dx, cy + dy), 3)
        self.check(moved, f"dragging the title bar by {dx},{dy} left the window at "
                   f"{self.app.geometry()[:2]} (was {cx},{cy})")
        return self.app.geometry()

    def test_quit_ends_cleanly_saves_settings_and_frees_the_lock(self):
        ways = [
            ("File > Exit by mouse", self.quit_by_menu_mouse),
            ("Alt+F then Exit", self.quit_by_menu_keys),
            ("Alt+F4", self.quit_by_alt_f4),
            ("the window's close button", self.quit_by_close_button),
        ]
        image = self.new_image()
        for index, (what, quit_) in enumerate(ways):
            with self.row(what):
                if os.path.exists(self.settings_path()):
                    os.remove(self.settings_path())
                # With a file, so that no start-up message stands in the way.
                app = self.start(image)
                left, top, width, height = self.drag_window(40 + 10 * index, 30)
                quit_()
                status = self.wait_for_exit(app)
                # Every consequence is gathered, so that one report shows them all.
                problems = []
                if status != 0:
                    problems.append("the program ended with " + (
                        f"signal {-status}" if status < 0 else f"status {status}"))
                saved = self.settings()
                if saved is None:
                    problems.append(f"no settings file at {self.settings_path()}")
                else:
                    position = saved.get("Window Position", {})
                    found = (position.get("Left"), position.get("Top"))
                    if found != (str(left), str(top)):
                        problems.append(f"the saved window position is {found}, the window "
                                        f"was left at {(left, top)}")
                if os.path.exists(self.lock_file()):
                    problems.append(f"the lock {self.lock_file()} is still there")
                self.check(not problems, f"{what}: " + "; ".join(problems), app)
                again = self.start(image)
                self.check(again.window is not None, f"{what}: a second start showed no window")
