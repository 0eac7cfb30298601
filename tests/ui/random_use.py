#!/usr/bin/env python3
"""Random use of the real window, driven through the X server (run by random-use.sh).

Usage: random_use.py STAGE REPORTS SECONDS SEED

STAGE holds the program ("tolvane"), its engine and its data file; REPORTS is the empty folder
where the sanitizers write their reports. For SECONDS the driver clicks, right-clicks,
presses keys, types and pastes text into whatever window of the program is up, answers every box
and dialog, and now and then closes the window and starts the program again on the same file.
It fails on a program that ends on its own or abnormally, on one that does not end when closed,
and on any sanitizer report; it then prints the last actions. The same SEED replays the same
choices (the timing of the program's answers may still differ).
"""

import collections
import os
import random
import subprocess
import sys
import time

# Every call to the X tools is bounded: some of them wait for the server without a limit.
TOOL_TIMEOUT = 10
LAST_ACTIONS = 30

KEYS = ["Return", "Tab", "shift+Tab", "Escape", "Up", "Down", "Left", "Right", "Page_Down",
        "Page_Up", "Home", "End", "ctrl+c", "ctrl+a", "Delete", "BackSpace", "space"]
# Typed as keys: xdotool types only ASCII reliably.
TYPED = ["ora-00942", "942", "ORA", "o'x", "100%", "%", "_", "a_b", "  ", "'", "''", "tns-",
         "table", "sp2-0734", "0", "99999", "%'%", "x y", "-", "ora-"]
# Put on the clipboard and pasted: what typing cannot carry.
PASTED = ["O'Reilly's 100% _x_", "ошибка ORA", "Ошибка", "таблица 'x'", "\U0001F4E6 \U0002000B",
          "\U0001F600%", "%_%", "  \t ", "ORA-00942", "a'b'c", "ё_Ё%", "日本語", "Größe",
          "line one\nline two", "\U00010428\U00010400", ""]


# The main window's controls at its designed size: left, top, width, height.
CONTROLS = {"version list": (10, 40, 71, 21), "prefix list": (85, 40, 91, 21),
            "prefix button": (180, 40, 21, 21), "code edit": (10, 85, 186, 21),
            "message edit": (10, 125, 186, 21), "comment edit": (10, 165, 186, 21),
            "Find button": (65, 196, 75, 25), "result list": (206, 20, 464, 211),
            "detail view": (0, 231, 670, 219), "About button": (594, 453, 66, 15)}


class Failure(Exception):
    pass


class Driver:
    def __init__(self, stage, reports, seconds, seed):
        self.stage = stage
        self.deadline = time.monotonic() + seconds
        self.random = random.Random(seed)
        self.actions = collections.deque(maxlen=LAST_ACTIONS)
        self.count = 0
        self.met = collections.Counter()  # what the run came across, for its last line
        self.starts = 0
        self.program = None
        self.main = None
        self.reports = reports
        # Every action, when TOLVANE_RANDOM_USE_LOG names a file: for a closer look at a replay.
        log = os.environ.get("TOLVANE_RANDOM_USE_LOG")
        self.log = open(log, "w") if log else None

    # --- the X tools --------------------------------------------------------------------------

    def tool(self, *args):
        try:
            done = subprocess.run(args, capture_output=True, timeout=TOOL_TIMEOUT, text=True)
        except subprocess.TimeoutExpired:
            return ""
        return done.stdout

    def to_clipboard(self, text):
        # xclip stays behind to serve the selection: it must not hold a pipe of ours.
        try:
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, text=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=TOOL_TIMEOUT)
        except subprocess.TimeoutExpired:
            pass

    def xdo(self, *args):
        return self.tool("xdotool", *args)

    def note(self, text):
        self.count += 1
        self.actions.append("%5d %s" % (self.count, text))
        if self.log:
            print(self.actions[-1], file=self.log, flush=True)

    # --- the program --------------------------------------------------------------------------

    def start(self):
        self.program = subprocess.Popen([os.path.join(self.stage, "tolvane")],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.starts += 1
        self.note("start the program (pid %d)" % self.program.pid)
        self.main = None
        for _ in range(150):
            self.check_running()
            found = self.xdo("search", "--all", "--onlyvisible", "--pid",
                             str(self.program.pid), "--name", "^Tolvane 2$").split()
            # The main window is the program's first window; a box may share its title.
            if found:
                self.main = found[0]
                return
            time.sleep(0.1)
        raise Failure("no window 'Tolvane 2' appeared")

    def check_running(self):
        code = self.program.poll()
        if code is not None:
            self.check_reports()
            raise Failure("the program ended on its own with exit status %d" % code)

    def close_and_wait(self):
        """Closes the main window as its close button does; the program must end cleanly."""
        self.note("close the main window")
        self.tool("wmctrl", "-i", "-c", self.main)
        for _ in range(100):
            code = self.program.poll()
            if code is not None:
                if code != 0:
                    raise Failure("the program ended with exit status %d" % code)
                self.check_reports()
                return
            # A box the closing shows would hold it up: answer it.
            for window in self.other_windows():
                self.key("Return", window)
            time.sleep(0.1)
        raise Failure("the program did not end within ten seconds of its window closing")

    def check_reports(self):
        reports = sorted(os.listdir(self.reports))
        if reports:
            texts = []
            for name in reports:
                with open(os.path.join(self.reports, name), errors="replace") as report:
                    texts.append(report.read())
            raise Failure("sanitizer report:\n" + "\n".join(texts))

    # --- what is on the screen ----------------------------------------------------------------

    def windows(self):
        return self.xdo("search", "--onlyvisible", "--pid", str(self.program.pid)).split()

    def is_popup(self, window):
        """Context menus, drop-down lists and tool tips: windows the window manager never
        manages (they carry the main window's title and a normal window type)."""
        return "Override Redirect State: yes" in self.tool("xwininfo", "-id", window)

    def other_windows(self):
        return [w for w in self.windows() if w != self.main]

    def geometry(self, window):
        values = {}
        for line in self.xdo("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            if value.isdigit():
                values[key] = int(value)
        if not all(k in values for k in ("X", "Y", "WIDTH", "HEIGHT")):
            return None
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def title(self, window):
        return self.xdo("getwindowname", window).strip()

    # --- actions ------------------------------------------------------------------------------

    def click(self, window, button, where=None):
        box = self.geometry(window)
        if box is None:
            return
        x, y, width, height = box
        dx, dy = where if where else (self.random.randrange(width), self.random.randrange(height))
        # No --sync: it hangs when the pointer is already at the target.
        self.xdo("mousemove", str(x + dx), str(y + dy))
        time.sleep(0.03)
        self.xdo("click", str(button))
        self.note("%s click at %d,%d in %s" % ({1: "left", 2: "middle", 3: "right"}[button], dx, dy,
                                                 self.title(window) or window))

    def focus(self, window):
        # The pointer may rest on another window: the keys go where a person would look.
        if window is not None:
            self.xdo("windowfocus", window)

    def key(self, name, window=None):
        self.focus(window)
        self.xdo("key", "--clearmodifiers", name)
        self.note("key " + name)

    def type_text(self, text, window=None):
        self.focus(window)
        self.xdo("type", "--delay", "15", text)
        self.note("type %r" % text)

    def paste(self, text, window=None):
        self.to_clipboard(text)
        time.sleep(0.05)
        self.focus(window)
        self.xdo("key", "--clearmodifiers", "ctrl+v")
        self.note("paste %r" % text)

    def use_menu(self, menu):
        choice = self.random.random()
        if choice < 0.35:
            self.key("Escape")
        elif choice < 0.65:
            self.key("Down")
            self.key("Return")  # the first command: copy
        elif choice < 0.9:
            self.key("Up")
            self.key("Return")  # the last command: the comment editor
        else:
            self.click(menu, 1)
        # A click sent just after a menu entry was chosen is lost: a person is slower.
        time.sleep(0.2)

    def use_comment_editor(self, editor):
        choice = self.random.random()
        if choice < 0.4:
            self.paste(self.random.choice(PASTED), editor)
        elif choice < 0.55:
            self.type_text(self.random.choice(TYPED), editor)
        elif choice < 0.6:
            self.key(self.random.choice(["Return", "Escape", "ctrl+a", "Delete", "Tab"]), editor)
        elif choice < 0.75:
            self.click(editor, 1, (47, 17))  # Save
        elif choice < 0.88:
            self.click(editor, 1, (132, 17))  # Cancel
        elif choice < 0.93:
            self.click(editor, 1, (327, 17))  # Delete
        elif choice < 0.97:
            self.note("close the comment editor")
            self.tool("wmctrl", "-i", "-c", editor)
        else:
            self.click(editor, self.random.choice([1, 3]))

    def answer_box(self, box, title):
        choice = self.random.random()
        if title == "About":
            if choice < 0.6:
                self.note("close the About window")
                self.tool("wmctrl", "-i", "-c", box)
            elif choice < 0.8:
                self.key("Escape", box)  # leaves it open
            else:
                self.click(box, self.random.choice([1, 1, 3]))
        elif choice < 0.45:
            self.key("Return", box)
        elif choice < 0.65:
            self.key("space", box)
        elif choice < 0.8:
            self.key("Escape", box)
        elif choice < 0.9:
            self.click(box, 1)
        else:
            self.note("close the box")
            self.tool("wmctrl", "-i", "-c", box)

    def enter_text(self):
        # Often over what the edit held, so that searches find something now and then.
        if self.random.random() < 0.5:
            self.key(self.random.choice(["ctrl+a", "End"]), self.main)
        if self.random.random() < 0.5:
            self.type_text(self.random.choice(TYPED), self.main)
        else:
            self.paste(self.random.choice(PASTED), self.main)
        if self.random.random() < 0.5:
            self.key("Return", self.main)

    def aimed(self):
        """A point on one of the window's controls (the layout of its designed size)."""
        # The three edits more often than the rest: most use begins with typing there.
        names = list(CONTROLS) + ["code edit", "message edit", "comment edit"] * 2
        name = self.random.choice(names)
        left, top, width, height = CONTROLS[name]
        return name, (left + self.random.randrange(width), top + self.random.randrange(height))

    def use_main_window(self):
        choice = self.random.random()
        if choice < 0.2:
            self.click(self.main, 1)
        elif choice < 0.28:
            self.click(self.main, 3)
        elif choice < 0.47:
            name, where = self.aimed()
            button = 3 if name in ("result list", "detail view") and choice < 0.35 else 1
            self.note("aim at the " + name)
            self.click(self.main, button, where)
            # As a person would: into an edit, then criteria, often with Enter.
            if name.endswith("edit") and self.random.random() < 0.7:
                self.enter_text()
        elif choice < 0.67:
            self.key(self.random.choice(KEYS), self.main)
        elif choice < 0.95:
            self.enter_text()
        elif choice < 0.955:
            self.click(self.main, 2)  # a middle click pastes the selection on X
        elif choice < 0.98:
            # A search that finds rows, then the menu over them: the way to the comment editor.
            self.note("search for a known message")
            for name in ("message edit", "comment edit", "code edit"):
                self.click(self.main, 1, CONTROLS[name][:2])
                self.key("ctrl+a", self.main)
                self.key("Delete", self.main)
            self.type_text(self.random.choice(["ora-00942", "tns-12154", "sp2-0734"]), self.main)
            self.key("Return", self.main)
            time.sleep(0.3)
            self.click(self.main, 3, self.random.choice([(300, 40), (100, 300)]))
        else:
            self.close_and_wait()
            self.start()

    def step(self):
        self.check_running()
        others = self.other_windows()
        if not others:
            self.use_main_window()
            return
        menus = [w for w in others if self.is_popup(w)]
        if menus:
            self.met["menu"] += 1
            self.use_menu(menus[-1])
            return
        window = others[-1]
        title = self.title(window)
        if title.startswith("My comment on: "):
            self.met["comment editor"] += 1
            self.use_comment_editor(window)
        else:
            self.met[title] += 1
            self.answer_box(window, title)

    def run(self):
        self.start()
        while time.monotonic() < self.deadline:
            self.step()
            time.sleep(self.random.choice([0.02, 0.05, 0.1, 0.2]))
        # Whatever is open is answered or closed, so that the window can close.
        for _ in range(20):
            self.check_running()
            others = self.other_windows()
            if not others:
                break
            window = others[-1]
            if self.is_popup(window):
                self.key("Escape")
            elif self.title(window) == "About" or self.title(window).startswith("My comment"):
                self.note("close " + self.title(window))
                self.tool("wmctrl", "-i", "-c", window)
            else:
                self.key("Return", window)
            time.sleep(0.3)
        self.close_and_wait()


def main():
    stage, reports, seconds, seed = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])
    driver = Driver(stage, reports, seconds, seed)
    try:
        driver.run()
    except (Failure, OSError, ValueError) as failure:
        print("random-use: FAILED with seed %d: %s" % (seed, failure))
        print("random-use: the last %d of %d actions:" % (len(driver.actions), driver.count))
        print("\n".join(driver.actions))
        if driver.program is not None and driver.program.poll() is None:
            driver.program.kill()
        return 1
    met = ", ".join("%s %d" % item for item in sorted(driver.met.items()))
    print("random-use: %d actions, %d starts, no fault (seed %d); steps at: %s"
          % (driver.count, driver.starts, seed, met))
    return 0


if __name__ == "__main__":
    sys.exit(main())
