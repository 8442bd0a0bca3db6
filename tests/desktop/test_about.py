"""Help > version information, and the hidden version box behind it."""

from harness import DesktopCase

ABOUT_CAPTION = "バージョン情報"


class AboutTest(DesktopCase):

    def test_typing_version_in_the_about_box_shows_the_version_box(self):
        app = self.start(self.new_image())
        self.focus_main()
        self.key("alt+h")
        self.wait_for_popup("the Help menu to drop down")
        self.key("a")
        about = self.wait_for_window(lambda title: title == ABOUT_CAPTION,
                                     f"the About box {ABOUT_CAPTION!r}")
        self.settle(0.3)
        self.type("version")
        # The version box is a plain message box without a caption of its own:
        # any further window of the program is it.
        box = self.wait_for_window(
            lambda title: title not in (ABOUT_CAPTION,),
            "the version box after typing \"version\" in the About box")
        self.key("Return")
        self.wait_for(lambda: box not in [w for w, _ in app.windows()],
                      "the version box to close on Enter")
        self.key("Return")
        self.wait_for(lambda: not app.others(), "the About box to close on Enter")
        # The main window is usable again: its own shortcut ends the program.
        self.focus_main()
        self.key("alt+F4")
        status = self.wait_for_exit(app)
        self.check(status == 0, f"Alt+F4 after the About box ended with {status}", app)
