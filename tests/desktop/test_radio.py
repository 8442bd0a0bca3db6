"""Program > Read and Program > Write against the demo radio."""

import os

from harness import APP_TITLE, UNTITLED, DesktopCase

# The demo radio talks at the speed of a real cable: a read or a write of
# the whole memory takes a few seconds.
CLONE_TIMEOUT = 40.0


def demo_memory(app):
    """The memory file of the simulated radio the program started."""
    try:
        with open(f"/proc/{app.pid}/task/{app.pid}/children") as f:
            children = f.read().split()
    except OSError:
        return None
    for child in children:
        try:
            with open(f"/proc/{child}/cmdline", "rb") as f:
                args = f.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        if "--memory" in args:
            return args[args.index("--memory") + 1]
    return None


class RadioTest(DesktopCase):

    def program_menu(self, item):
        self.focus_main()
        self.key("alt+p")
        self.wait_for_popup("the Program menu to drop down")
        self.key(item)

    def test_read_then_edit_and_write(self):
        document = self.prepared_image(["CL_DigCall_SelfName=DOC"], "document.rcf")
        app = self.start("--demo", document)
        memory = self.wait_for(lambda: demo_memory(app), "the demo radio to start")
        radio_before = self.dump(memory)
        self.assertNotEqual(radio_before["self"]["name"], "DOC")

        # Read: the document becomes the radio's memory, untitled.
        self.program_menu("r")
        self.wait_for(lambda: app.title() == f"{UNTITLED} - {APP_TITLE}",
                      "the title to turn untitled after Program > Read",
                      timeout=CLONE_TIMEOUT)
        self.wait_for(lambda: not app.others(), "the progress window to close")
        self.focus_main()
        self.key("ctrl+s")
        self.wait_for_window(lambda title: True, "the save dialog after the read")
        self.settle(0.5)
        read = os.path.join(self.work, "read.rcf")
        self.type(read)
        self.key("Return")
        self.wait_for(lambda: os.path.exists(read), f"{read} to be written")
        self.wait_for_title(f"read.rcf - {APP_TITLE}")
        self.check(self.dump(read) == radio_before,
                   f"the file saved after the read differs from the radio's memory:\n"
                   f"  saved: {self.dump(read)['self']}\n  radio: {radio_before['self']}")

        # Write: an edited name reaches the radio's memory.
        self.open_tree_node("base")
        self.key("Down")
        self.type("WRITTEN")
        self.key("Return")
        self.settle()
        before = self.mtime(memory)
        self.program_menu("w")
        # The question whether to write to the radio.
        self.wait_for_window(lambda title: title == APP_TITLE, "the question before writing")
        self.key("Return")
        # A write takes its time on the line: about five seconds at 9600 baud.
        self.wait_for_file_change(memory, before, "the radio's memory to be rewritten",
                                  timeout=CLONE_TIMEOUT)
        radio_after = self.dump(memory)
        self.check(radio_after["self"]["name"] == "WRITTEN",
                   f"after Program > Write the radio holds {radio_after['self']}")
