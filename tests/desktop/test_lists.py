"""The two lists: pop-up menu shortcuts on the sheet, and row selection."""

from harness import DesktopCase


def names(saved, count=14):
    return [entry["name"] for entry in saved["individual"][:count]]


def records(rows):
    """Cell edits that fill individual list rows {row: name} (1-based)."""
    edits = []
    for row, name in rows.items():
        index = row - 1
        edits += [f"CT_IndvList.CL_IndvList_Name[{index}]={name}",
                  f"CT_IndvList.CL_IndvList_MakerId[{index}]={row * 10}",
                  f"CT_IndvList.CL_IndvList_IndvNo[{index}]={row * 100}"]
    return edits


FIVE = {1: "R1", 2: "R2", 3: "R3", 4: "R4", 5: "R5"}


class PopupShortcutTest(DesktopCase):
    """Shortcuts of the cells' pop-up menus, typed with the menu closed."""

    def test_individual_list_shortcuts_work_on_the_sheet(self):
        # (what, rows before, keys from the first row's name cell, names after)
        cases = [
            ("Ctrl+C then Ctrl+V two rows down copies the record", {1: "R1"},
             ["ctrl+c", "Down", "Down", "ctrl+v"], ["R1", "", "R1", ""]),
            ("Ctrl+Down moves the record one row down", {1: "R1", 2: "R2"},
             ["ctrl+Down"], ["R2", "R1", "", ""]),
            ("Ctrl+Up moves the record one row up", {1: "R1", 2: "R2"},
             ["Down", "ctrl+Up"], ["R2", "R1", "", ""]),
            # The editor opens with the text selected; End keeps it, so that
            # the typed text shows that Enter (not the typing) opened it.
            ("Enter opens the editor", {1: "R1"},
             ["Return", "End", "@type:ED", "Return"], ["R1ED", "", "", ""]),
        ]
        for what, rows, keys, expected in cases:
            with self.row(what):
                image = self.prepared_image(records(rows))
                self.start(image)
                self.open_tree_node("individual")
                self.key("Right")          # from the valid column to the name
                self.press(keys)
                self.save(image)
                saved = self.dump(image)
                self.check(names(saved, 4) == expected,
                           f"{what}: names in the file {names(saved, 4)}, "
                           f"expected {expected}")
                if "ctrl+c" in keys:
                    third = saved["individual"][2]
                    self.check((third["maker_id"], third["individual_no"]) == (10, 100),
                               f"{what}: the pasted row holds {third}")

    def test_group_list_enter_edits(self):
        image = self.prepared_image(["CT_GrpList.CL_GrpList_Name[0]=G1"])
        self.start(image)
        self.open_tree_node("group")
        self.press(["Return", "End", "@type:X", "Return"])
        self.save(image)
        first = self.dump(image)["groups"][0]["name"]
        self.check(first == "G1X", f"Enter on the first group's name: the file holds {first!r}")

    def press(self, keys):
        for key in keys:
            if key.startswith("@type:"):
                self.settle()
                self.type(key[len("@type:"):])
            else:
                self.key(key)
        self.settle()


class SelectionTest(DesktopCase):
    """What a click or Shift selects shows in what Copy takes along."""

    def copy(self, way, row):
        if way == "keys":
            self.key("ctrl+c")
        else:
            self.popup_command(row, 2)

    def paste(self, way, row):
        if way == "keys":
            self.key("ctrl+v")
        else:
            self.popup_command(row, 3)

    def popup_command(self, row, downs):
        # The pop-up menu by the right button on the cursor's row: Edit,
        # a separator, Copy, Paste, a separator, Up, Down.
        self.click_list_row(row, button=3)
        self.wait_for_popup("the pop-up menu on the right button")
        self.key(*["Down"] * downs, "Return")
        self.wait_for(lambda: not self.app.popups(), "the pop-up menu to close")

    def test_selection_decides_what_is_copied(self):
        # (what, steps from row 1's name cell, the cursor's row then,
        #  copy and paste by shortcut keys or by the pop-up menu,
        #  names expected in rows 10..14)
        cases = [
            ("a plain click selects the clicked row alone",
             [("click", 5)], 5, "keys", ["R5", "", "", "", ""]),
            ("a plain click selects the clicked row alone (pop-up menu)",
             [("click", 5)], 5, "menu", ["R5", "", "", "", ""]),
            ("Shift+click extends the selection",
             [("shift-click", 3)], 3, "keys", ["R1", "R2", "R3", "", ""]),
            ("Shift+Down extends the selection",
             [("key", "Down"), ("key", "shift+Down"), ("key", "shift+Down")], 4, "keys",
             ["R2", "R3", "R4", "", ""]),
        ]
        for what, steps, cursor, way, expected in cases:
            with self.row(what):
                image = self.prepared_image(records(FIVE))
                self.start(image)
                self.open_tree_node("individual")
                self.key("Right")
                self.settle()
                for kind, value in steps:
                    if kind == "click":
                        self.click_list_row(value)
                    elif kind == "shift-click":
                        self.click_list_row(value, modifiers="shift")
                    else:
                        self.key(value)
                self.settle()
                self.copy(way, cursor)
                self.settle()
                self.key(*["Down"] * (10 - cursor))
                self.paste(way, 10)
                self.settle()
                self.save(image)
                saved = self.dump(image)
                pasted = [entry["name"] for entry in saved["individual"][9:14]]
                self.check(names(saved, 5) == list(FIVE.values()) and pasted == expected,
                           f"{what}: rows 10-14 hold {pasted} after copy and paste, "
                           f"expected {expected}; rows 1-5 hold {names(saved, 5)}")


class UndoRedoTest(DesktopCase):
    """Edit > Undo and Redo by their shortcut keys, checked in the saved file."""

    def test_an_edit_is_undone_and_redone(self):
        edit = ["Return", "End", "@type:ED", "Return"]
        # (what, keys after the edit, the first name in the file)
        cases = [
            ("Ctrl+Z takes the edit back", ["ctrl+z"], "R1"),
            ("Ctrl+Y makes it again", ["ctrl+z", "ctrl+y"], "R1ED"),
            ("Ctrl+Shift+Z makes it again too", ["ctrl+z", "ctrl+shift+z"], "R1ED"),
            ("a second Ctrl+Z finds nothing more to take back",
             ["ctrl+z", "ctrl+z"], "R1"),
        ]
        for what, keys, expected in cases:
            with self.row(what):
                image = self.prepared_image(records({1: "R1"}))
                self.start(image)
                self.open_tree_node("individual")
                self.key("Right")          # from the valid column to the name
                for key in edit + keys:
                    if key.startswith("@type:"):
                        self.settle()
                        self.type(key[len("@type:"):])
                    else:
                        self.key(key)
                self.settle()
                self.save(image)
                first = names(self.dump(image), 1)
                self.check(first == [expected],
                           f"{what}: the file holds {first}, expected [{expected!r}]")
