"""Sheets opened from the tree, and cells edited with the keyboard."""

import os

from harness import APP_TITLE, UNTITLED, DesktopCase, wait_until


def red_pixels(width, height, rgb, top, bottom):
    """Strongly red pixels in a band of rows (the top page's red rule)."""
    count = 0
    for y in range(top, min(bottom, height)):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        for x in range(0, width * 3, 3):
            r, g, b = row[x], row[x + 1], row[x + 2]
            if r > 180 and g < 80 and b < 80:
                count += 1
    return count


class TreeTest(DesktopCase):

    def test_each_tree_node_opens_its_sheet(self):
        # Each sheet shows by taking the keys meant for its first cells; the
        # saved file says which field they reached.
        cases = [
            ("base settings", "base", [("key", "Down"), ("type", "ABC"), ("key", "Return")],
             lambda d: d["self"]["name"] == "ABC", lambda d: d["self"]),
            ("individual list", "individual", [("key", "space")],
             lambda d: d["individual"][0]["valid"] == 1, lambda d: d["individual"][0]),
            ("group list", "group", [("type", "GRP"), ("key", "Return")],
             lambda d: d["groups"][0]["name"] == "GRP", lambda d: d["groups"][0]),
        ]
        for what, node, steps, expected, shown in cases:
            with self.row(what):
                image = self.new_image()
                self.start(image)
                self.open_tree_node(node)
                for kind, value in steps:
                    self.key(value) if kind == "key" else self.type(value)
                self.settle()
                self.save(image)
                saved = self.dump(image)
                self.check(expected(saved), f"after clicking {what} in the tree and typing "
                           f"{steps}, the file holds {shown(saved)}")

    def test_top_node_brings_back_the_top_page(self):
        def red():
            width, height, rgb = self.pixels()
            return red_pixels(width, height, rgb, 135, 155)

        self.start(self.new_image())
        # The top page shows once the program is idle after start-up.
        self.wait_for(lambda: red() > 200, "the top page's red rule at start")
        self.open_tree_node("base")
        on_sheet = red()
        self.open_tree_node("top")
        back = wait_until(lambda: red() > 200, 3)
        self.check(on_sheet == 0 and back,
                   f"red pixels of the top page's rule: {on_sheet} on the base settings, "
                   f"{red()} after clicking the top node")


class CellTest(DesktopCase):

    def test_cells_take_typed_text_and_choices(self):
        # Base settings: the cursor starts on the ID, the name is one row
        # down, the name sending choice two rows down.
        cases = [
            ("typing opens the editor, Enter commits", [],
             ["Down"], "NAME1", ["Return"], ("name", "NAME1")),
            ("Enter opens the editor, Enter commits", [],
             ["Down", "Return"], "NAME2", ["Return"], ("name", "NAME2")),
            ("Esc leaves the cell as it was", ["CL_DigCall_SelfName=KEEP"],
             ["Down", "Return"], "LOST", ["Escape"], ("name", "KEEP")),
            ("Enter opens the choice list, Down and Enter choose", [],
             ["Down", "Down", "Return", "@list", "Down", "Return"], "", [],
             ("tx_my_name", 1)),
            ("Space steps the choice forward", [],
             ["Down", "Down", "space"], "", [], ("tx_my_name", 1)),
            ("Backspace steps the choice back", ["CL_DigCall_TxMyName@1"],
             ["Down", "Down", "BackSpace"], "", [], ("tx_my_name", 0)),
        ]
        for what, edits, keys, text, after, (field, value) in cases:
            with self.row(what):
                image = self.prepared_image(edits)
                before = self.dump(image)["self"][field]
                app = self.start(image)
                self.open_tree_node("base")
                for key in keys:
                    if key == "@list":
                        self.wait_for_popup("the choice list to open")
                    else:
                        self.key(key)
                if text:
                    self.type(text)
                for key in after:
                    self.key(key)
                self.settle()
                self.save(image)
                saved = self.dump(image)["self"]
                self.check(saved[field] == value, f"{what}: the file holds {field}="
                           f"{saved[field]!r} (before: {before!r}), expected {value!r}")

    def test_untitled_document_saved_through_the_dialog_takes_its_name(self):
        app = self.start()
        self.open_tree_node("base")
        self.key("Down")
        self.type("SAVED")
        self.key("Return")
        self.settle()
        self.key("ctrl+s")
        self.wait_for_window(lambda title: True, "the save dialog after Ctrl+S")
        self.settle(0.5)
        target = os.path.join(self.work, "named.rcf")
        self.type(target)
        self.key("Return")
        self.wait_for(lambda: os.path.exists(target), f"{target} to be written")
        self.wait_for_title(f"named.rcf - {APP_TITLE}")
        self.assertEqual(self.dump(target)["self"]["name"], "SAVED")
        self.assertNotEqual(app.title(), f"{UNTITLED} - {APP_TITLE}")
