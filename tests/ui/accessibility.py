#!/usr/bin/python3
"""Reads the real window through AT-SPI as a screen reader does, run by accessibility.sh as
accessibility.py STAGE SAMPLE LANGUAGE inside an X server, a D-Bus session and the AT-SPI bus.
STAGE holds the program, its engine and a fresh data file in LANGUAGE (EN, or a code of
SAMPLE/lang/); the captions expected come from that translation file. Prints what differs and
exits 1 on any difference."""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TOOL_TIMEOUT = 10
WAIT_SECONDS = 5
HINT = "Use % as a wild char"
# The sample's own words for ORA-00942 in 10.2, read back whole.
CAUSE = ("The table or view named in the statement is not there, is owned by another schema, "
         "or exists but the user has no privilege on it. For security reasons the database does "
         "not say which of these it is.")
ACTION = ("Check the spelling and the owner. Qualify the name with the schema, ask the owner for "
          "a grant, or create a synonym. Inside stored code, privileges granted through a role do "
          "not count.")
MESSAGE = "table or view does not exist"


class Reader:
    def __init__(self, stage, sample, language):
        self.captions = {}
        if language != "EN":
            with open(f"{sample}/lang/{language}.txt", encoding="utf-8") as lines:
                for line in lines:
                    english, translated = line.rstrip("\n").split("\t")
                    self.captions[english] = translated
        self.failures = []
        # What the program tells, as a screen reader follows it: the objects whose name
        # changed, as (role, name); the object that last took the focus; the menu that is up
        # (a popup menu is no child of the program's: it is met only through these events).
        self.named = []
        self.focus = None
        self.menu = None
        listen = pyatspi.Registry.registerEventListener
        listen(self.on_name_change, "object:property-change:accessible-name")
        listen(self.on_focus, "object:state-changed:focused")
        listen(self.on_showing, "object:state-changed:showing")
        self.program = subprocess.Popen([f"{stage}/tolvane"])
        self.app = self.wait_for(self.find_app, "the program on the accessibility bus")
        self.window = self.wait_for(self.find_window, "the window 'Tolvane 2'")
        self.back_to_window()

    def t(self, english):
        return self.captions.get(english, english)

    # --- the session -------------------------------------------------------------------------

    def tool(self, *args):
        return subprocess.run(args, capture_output=True, text=True, timeout=TOOL_TIMEOUT,
                              check=True).stdout

    def find_window(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                              str(self.program.pid), "--name", "^Tolvane 2$"],
                             capture_output=True, text=True, timeout=TOOL_TIMEOUT).stdout
        return out.split()[0] if out.split() else None

    def find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Tolvane 2":
                return app
        return None

    def pump(self, seconds):
        """Lets the events that have arrived reach the listeners, for `seconds`."""
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.02)

    def poll(self, probe):
        """What `probe` finds within a few seconds, or what it last gave."""
        end = time.monotonic() + WAIT_SECONDS
        found = probe()
        while not found and time.monotonic() < end:
            self.pump(0.1)
            found = probe()
        return found

    def wait_for(self, probe, what):
        found = self.poll(probe)
        if not found:
            raise SystemExit(f"accessibility: no {what} within {WAIT_SECONDS} s")
        return found

    def back_to_window(self):
        """Gives the main window the input focus, as a window manager does when a box above it
        closes (the session has none)."""
        self.tool("xdotool", "windowfocus", "--sync", self.window)
        self.pump(0.3)

    def keys(self, *keys):
        self.tool("xdotool", "key", "--delay", "60", *keys)
        self.pump(0.4)

    def type(self, text):
        self.tool("xdotool", "type", "--delay", "30", text)
        self.pump(0.2)

    # An event may tell of an object that is gone by the time it is read (a list's cells come
    # and go with its rows): such an event is passed over.

    def on_name_change(self, event):
        try:
            self.named.append((event.source.getRoleName(), event.source.name))
        except GLib.Error:
            pass

    def on_focus(self, event):
        if event.detail1:
            self.focus = event.source

    def on_showing(self, event):
        try:
            if event.source.getRoleName() in ("menu", "popup menu"):
                self.menu = event.source if event.detail1 else None
        except GLib.Error:
            pass

    def check(self, what, got, expected):
        if got != expected:
            self.failures.append(f"{what}:\n  got      {got!r}\n  expected {expected!r}")

    # --- reading the tree --------------------------------------------------------------------

    @staticmethod
    def walk(root):
        yield root
        for child in root:
            if child is not None:
                yield from Reader.walk(child)

    def windows(self, role):
        """The program's top-level objects of `role` that are showing."""
        return [w for w in self.app
                if w is not None and w.getRoleName() == role
                and w.getState().contains(pyatspi.STATE_SHOWING)]

    @staticmethod
    def labelled_by(obj):
        names = []
        for relation in obj.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return names

    def outline(self, root, depth=0):
        """One line per object, role | name | description | labelled by, indented by depth,
        empty fields at the end left out; what lists and edits hold is read on its own."""
        lines = [self.line(depth, root.getRoleName(), root.name, root.description,
                           ", ".join(self.labelled_by(root)))]
        if root.getRoleName() not in ("tree", "combo box", "text"):
            for child in root:
                if child is not None:
                    lines += self.outline(child, depth + 1)
        return lines

    @staticmethod
    def line(depth, *fields):
        fields = list(fields)
        while fields and fields[-1] == "":
            fields.pop()
        return " " * depth + " | ".join(fields)

    def main_outline(self, version, prefix, status):
        t, line = self.t, self.line
        group = t(" Search criteria ")
        lines = [line(0, "frame", "Tolvane 2"), line(1, "filler"), line(2, "panel", group),
                 line(3, "label", t("Oracle version"), "", group),
                 line(3, "label", t("Error prefix"), "", group)]
        # Qt names a pick list by its entry when one is chosen; its label still labels it.
        for entry, label in ((version, "Oracle version"), (prefix, "Error prefix")):
            lines.append(line(3, "combo box", entry or t(label), "", f"{t(label)}, {group}"))
        lines.append(line(3, "push button", "Prefix description", "Shift+F1", group))
        for label in ("Error Code", "Error Message", "My Comment"):
            lines += [line(3, "label", t(label), "", group),
                      line(3, "text", t(label), HINT, f"{t(label)}, {group}")]
        return lines + [line(3, "push button", t("Find"), "", group),
                        line(2, "tree", "Search results"), line(1, "tree", "Message details"),
                        line(1, "status bar", status), line(2, "label", status),
                        line(2, "push button", t("About"), "F1")]

    def main_window(self):
        return next(w for w in self.app if w is not None and w.name == "Tolvane 2")

    def tree(self, name):
        """A list by its name; without names, the first list or the second."""
        trees = [o for o in self.walk(self.main_window()) if o.getRoleName() == "tree"]
        named = [o for o in trees if o.name == name]
        if not named:
            self.failures.append(f"no list is named '{name}'")
        return named[0] if named else trees[name != "Search results"]

    def focused_object(self):
        """What has the focus, as a screen reader finds it: what last took it, and in a list
        the cell that is current there."""
        focus = self.focus
        if focus is not None and focus.getRoleName() == "tree":
            return next((c for c in focus if c.getState().contains(pyatspi.STATE_FOCUSED)), focus)
        return focus

    def focused(self):
        focus = self.focused_object()
        return (focus.getRoleName(), focus.name) if focus is not None else None

    def status_told(self, status):
        return ("status bar", status) in self.named

    # --- the checks --------------------------------------------------------------------------

    def at_start(self):
        self.check("the window at start", self.outline(self.main_window()),
                   self.main_outline("", "", ""))
        self.check("the focus at start", self.focused(), ("text", self.t("Error Code")))

    def search(self, typed, status):
        """Types a search into the code edit, which has the focus, presses Enter, and checks
        that the status bar told of the search's outcome."""
        self.named.clear()
        self.keys("ctrl+a")
        self.type(typed)
        self.keys("Return")
        self.check(f"'{status}' told as the status bar's new name",
                   self.poll(lambda: self.status_told(status)), True)

    def after_search(self):
        status = "Found 3 record(s)"
        self.search("ora-00942", status)
        self.check("the window after a search", self.outline(self.main_window()),
                   self.main_outline("", "ORA", status))
        results = self.tree("Search results")
        table = results.queryTable()
        # Each cell with the caption of its column, as a screen reader pairs them.
        cells = []
        for cell in results:
            if cell.getRoleName() == "table cell":
                column = table.getColumnAtIndex(cell.getIndexInParent())
                cells.append((table.getColumnHeader(column).name, cell.name))
        heads = [self.t("Code") + " (" + self.t("Version") + ")", self.t("Version"),
                 self.t("Code"), self.t("Message")]
        rows = []
        for version in ("10.2", "11.2", "9.2"):
            rows += list(zip(heads, [f"ORA-00942 ({version})", version, "ORA-00942", MESSAGE]))
        self.check("the result list, cell by cell under its columns", cells, rows)
        self.check("the focus after a search", self.focused(),
                   ("table cell", "ORA-00942 (10.2)"))
        self.check("the detail view", self.detail_rows(), [
            ("ORA-00942", "heading"), (MESSAGE, ""), ("Cause", "heading"), (CAUSE, ""),
            ("Action", "heading"), (ACTION, "")])

    def detail_rows(self):
        """The detail view's rows as (name, description); both cells of a row must agree."""
        details = self.tree("Message details")
        cells = [(c.name, c.description) for c in details if c.getRoleName() == "table cell"]
        headers = [c.name for c in details if c.getRoleName() == "table column header"]
        self.check("the detail view's column names", headers, ["", ""])
        self.check("the detail view's two cells of each row", cells[0::2], cells[1::2])
        return cells[0::2]

    def menu_opens(self, where, key):
        """`key` opens the context menu at the focused row of the list that has the focus."""
        cell = self.focused_object()
        self.menu = None
        self.keys(key)
        if not self.poll(lambda: self.menu):
            self.failures.append(f"{key} opened no menu in {where}")
            self.keys("Escape")
            return
        items = [i.name for i in self.menu if i.getRoleName() == "menu item"]
        self.check(f"the menu {key} opened in {where}", items,
                   [self.t("Copy to clipboard"), self.t("Add/Edit Comment")])
        x, y, width, height = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        menu_x, menu_y, _, _ = self.menu.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # At the cell's middle, give or take the rounding of a half pixel.
        near = abs(menu_x - (x + width // 2)) <= 1 and abs(menu_y - (y + height // 2)) <= 1
        self.check(f"the menu {key} opened in {where} at the focused row's middle",
                   (menu_x, menu_y) if not near else "there", "there")
        self.keys("Escape")
        self.check(f"the menu after Escape in {where}", self.menu, None)

    def context_menus(self):
        for key in ("shift+F10", "Menu"):
            self.menu_opens("the result list", key)
        self.keys("shift+Tab")  # backwards from the result list: the detail view
        self.check("the focus after shift+Tab", self.focus.name, "Message details")
        for key in ("shift+F10", "Menu"):
            self.menu_opens("the detail view", key)
        self.keys("Tab", "Tab", "Tab", "Tab")  # result list, version, prefix, code edit

    def status_with_focus_kept(self):
        self.search("99999", "Not found")
        self.check("the focus after a search that found nothing", self.focused(),
                   ("text", self.t("Error Code")))

    def box(self, open_keys, title, text, buttons, answer):
        """Opens a message box with `open_keys` and reads it, then answers it with `answer`."""
        self.keys(*open_keys)
        alerts = self.poll(lambda: self.windows("alert"))
        if not alerts:
            self.failures.append(f"{' '.join(open_keys)} opened no box '{title}'")
            return
        seen = [(o.getRoleName(), o.name) for o in self.walk(alerts[0])
                if o.getRoleName() in ("alert", "label", "push button") and o.name]
        self.check(f"the box '{title}'", seen,
                   [("alert", title), ("label", text)] + [("push button", b) for b in buttons])
        self.keys(answer)
        self.back_to_window()

    def message_box(self):
        # The prefix list is on ORA: Shift+F1 asks the "?" button for its description.
        self.box(["shift+F1"], "Tolvane 2", "Prefix description:\n\rOracle database server",
                 ["OK"], "Return")

    def open_comment_editor(self):
        self.keys("Menu")
        self.keys("Up", "Return")  # the menu's last command

    def comment_editor(self):
        self.search("ora-00942", "Found 3 record(s)")
        self.open_comment_editor()
        dialogs = self.poll(lambda: self.windows("dialog"))
        if not dialogs:
            self.failures.append("the menu opened no comment editor")
            return
        t = self.t
        self.check("the comment editor", self.outline(dialogs[0]), [
            "dialog | My comment on: ORA-00942 (10.2)", f" text | {t('My Comment')}",
            " filler", f"  push button | {t('Save')}", f"  push button | {t('Cancel')}",
            f"  push button | {t('Delete')}", " label | Unicode enabled"])
        self.check("the focus in the comment editor", self.focused(), ("text", t("My Comment")))
        self.type("line one")
        self.keys("Return")
        self.type("line two")
        self.keys("Tab", "space")  # Save
        self.back_to_window()
        rows = self.detail_rows()
        self.check("the comment heading", rows[6:7], [(t("My Comment"), "heading")])
        body = rows[7][0] if len(rows) > 7 else ""
        self.check("the comment read with its line break",
                   bool(re.fullmatch(r"line one\r?\nline two", body)), True)
        # The deletion's confirmation box, answered No.
        self.open_comment_editor()
        self.box(["Tab", "Tab", "Tab", "space"], "Confirm",
                 "Delete comment for ORA-00942 (10.2)\n\rAre You sure?", ["Yes", "No"], "Escape")

    def about(self):
        self.keys("F1")
        dialogs = self.poll(lambda: self.windows("dialog"))
        if not dialogs:
            self.failures.append("F1 opened no About window")
            return
        address = [(o.name, self.labelled_by(o)) for o in self.walk(dialogs[0])
                   if o.name.startswith("https://")]
        self.check("the About window's address", address,
                   [("https://tolvane.example.org/", ["WWW"])])
        self.keys("Escape")
        self.check("the About window after Escape", len(self.windows("dialog")), 1)
        self.keys("alt+F4")
        self.check("the About window closed by Alt+F4",
                   self.poll(lambda: not self.windows("dialog")), True)

    def run(self):
        try:
            for step in (self.at_start, self.after_search, self.context_menus,
                         self.status_with_focus_kept, self.message_box, self.comment_editor,
                         self.about):
                step()
                if self.program.poll() is not None:
                    self.failures.append(f"the program ended during {step.__name__}")
                    break
        except Exception as error:  # a tree not as expected at all: report what came before
            self.failures.append(f"reading the tree failed: {error!r}")
        finally:
            self.program.terminate()
            self.program.wait(timeout=TOOL_TIMEOUT)
        return self.failures


def main():
    stage, sample, language = sys.argv[1:4]
    failures = Reader(stage, sample, language).run()
    for failure in failures:
        print(f"accessibility ({language}): {failure}", file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"accessibility ({language}): every control named, the status told, the menus, the "
          "boxes and the About window read as expected")


main()
