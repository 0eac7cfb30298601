#!/usr/bin/env python3
"""Random use of the real window through the X server, run by random-use.sh as
random_use.py STAGE REPORTS SECONDS SEED. STAGE holds the program ("tolvane"), its engine and its
data file; REPORTS is the sanitizers' empty report folder. The same SEED replays the same choices
(the timing of the program's answers may still differ)."""

import collections
import os
import random
import subprocess
import sys
import time

# Every call to the X tools is bounded: some of them wait for the server without a limit.
TOOL_TIMEOUT = 10
LAST_ACTIONS = 30

KEYS = ("Return Tab shift+Tab Escape Up Down Left Right Page_Down Page_Up Home End ctrl+c ctrl+a "
        "Delete BackSpace space").split()
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
# The three edits more often than the rest: most use begins with typing there.
AIMS = list(CONTROLS) + ["code edit", "message edit", "comment edit"] * 2
EDITOR_KEYS = ["Return", "Escape", "ctrl+a", "Delete", "Tab"]


class Failure(Exception):
    pass


class Driver:
    def __init__(self, stage, reports, seconds, seed):
        self.stage, self.reports = stage, reports
        self.deadline = time.monotonic() + seconds
        self.random = random.Random(seed)
        self.actions = collections.deque(maxlen=LAST_ACTIONS)
        self.count = self.starts = 0
        self.met = collections.Counter()  # what the run came across, for its last line
        self.program = self.main = None
        # Every action, when TOLVANE_RANDOM_USE_LOG names a file: for a closer look at a replay.
        log = os.environ.get("TOLVANE_RANDOM_USE_LOG")
        self.log = open(log, "w") if log else None

    def tool(self, *args, feed=None):
        # Given `feed`, none of our pipes is passed: xclip stays behind to serve the selection.
        pipes = {"capture_output": True} if feed is None else {
            "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        try:
            return subprocess.run(args, input=feed, text=True, timeout=TOOL_TIMEOUT,
                                  **pipes).stdout or ""
        except subprocess.TimeoutExpired:
            return ""

    def xdo(self, *args):
        return self.tool("xdotool", *args)

    def note(self, text):
        self.count += 1
        self.actions.append("%5d %s" % (self.count, text))
        if self.log:
            print(self.actions[-1], file=self.log, flush=True)

    def start(self):
        self.program = subprocess.Popen([os.path.join(self.stage, "tolvane")],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.starts += 1
        self.note("start the program (pid %d)" % self.program.pid)
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
        self.close(self.main, "the main window")
        for _ in range(100):
            if (code := self.program.poll()) is not None:
                self.check_reports()  # first: a sanitizer's abort is an exit status too
                if code != 0:
                    raise Failure("the program ended with exit status %d" % code)
                return
            # A box the closing shows would hold it up: answer it.
            for window in self.other_windows():
                self.key("Return", to=window)
            time.sleep(0.1)
        raise Failure("the program did not end within ten seconds of its window closing")

    def check_reports(self):
        texts = []
        for name in sorted(os.listdir(self.reports)):
            with open(os.path.join(self.reports, name), errors="replace") as report:
                texts.append(report.read())
        if texts:
            raise Failure("sanitizer report:\n" + "\n".join(texts))

    def other_windows(self):
        found = self.xdo("search", "--onlyvisible", "--pid", str(self.program.pid)).split()
        return [w for w in found if w != self.main]

    def is_popup(self, window):
        """Context menus, drop-down lists and tool tips: windows the window manager never
        manages (they carry the main window's title and a normal window type)."""
        return "Override Redirect State: yes" in self.tool("xwininfo", "-id", window)

    def title(self, window):
        return self.xdo("getwindowname", window).strip()

    def close(self, window, what):
        self.note("close " + what)
        self.tool("wmctrl", "-i", "-c", window)

    def click(self, window, button, where=None):
        shell = dict(line.partition("=")[::2]
                     for line in self.xdo("getwindowgeometry", "--shell", window).splitlines())
        box = [shell.get(key, "") for key in ("X", "Y", "WIDTH", "HEIGHT")]
        if not all(value.isdigit() for value in box):
            return  # the window is gone
        x, y, width, height = map(int, box)
        dx, dy = where if where else (self.random.randrange(width), self.random.randrange(height))
        # No --sync: it hangs when the pointer is already at the target.
        self.xdo("mousemove", str(x + dx), str(y + dy))
        time.sleep(0.03)
        self.xdo("click", str(button))
        self.note("%s click at %d,%d in %s" % (("", "left", "middle", "right")[button], dx, dy,
                                                 self.title(window) or window))

    def send(self, window, what, *args):
        # The pointer may rest on another window: the keys go where a person would look.
        if window is not None:
            self.xdo("windowfocus", window)
        self.xdo(*args)
        self.note(what)

    def key(self, *names, to=None):
        for name in names:
            self.send(to, "key " + name, "key", "--clearmodifiers", name)

    def type_text(self, text, window):
        self.send(window, "type %r" % text, "type", "--delay", "15", text)

    def paste(self, text, window):
        self.tool("xclip", "-selection", "clipboard", "-i", feed=text)
        time.sleep(0.05)
        self.send(window, "paste %r" % text, "key", "--clearmodifiers", "ctrl+v")

    def pick(self, *choices):
        """Runs the first action of the (bound, action) pairs whose bound exceeds a random draw."""
        draw = self.random.random()
        next(action for bound, action in choices if draw < bound)()

    def use_menu(self, menu):
        self.pick((0.35, lambda: self.key("Escape")),
                  (0.65, lambda: self.key("Down", "Return")),  # the first command: copy
                  (0.9, lambda: self.key("Up", "Return")),  # the last: the comment editor
                  (1, lambda: self.click(menu, 1)))
        # A click sent just after a menu entry was chosen is lost: a person is slower.
        time.sleep(0.2)

    def use_comment_editor(self, editor):
        self.pick((0.4, lambda: self.paste(self.random.choice(PASTED), editor)),
                  (0.55, lambda: self.type_text(self.random.choice(TYPED), editor)),
                  (0.6, lambda: self.key(self.random.choice(EDITOR_KEYS), to=editor)),
                  (0.75, lambda: self.click(editor, 1, (47, 17))),  # Save
                  (0.88, lambda: self.click(editor, 1, (132, 17))),  # Cancel
                  (0.93, lambda: self.click(editor, 1, (327, 17))),  # Delete
                  (0.97, lambda: self.close(editor, "the comment editor")),
                  (1, lambda: self.click(editor, self.random.choice([1, 3]))))

    def answer_box(self, box, title):
        if title == "About":  # Escape leaves it open
            self.pick((0.6, lambda: self.close(box, "the About window")),
                      (0.8, lambda: self.key("Escape", to=box)),
                      (1, lambda: self.click(box, self.random.choice([1, 1, 3]))))
        else:
            self.pick((0.45, lambda: self.key("Return", to=box)),
                      (0.65, lambda: self.key("space", to=box)),
                      (0.8, lambda: self.key("Escape", to=box)),
                      (0.9, lambda: self.click(box, 1)), (1, lambda: self.close(box, "the box")))

    def enter_text(self):
        # Often over what the edit held, so that searches find something now and then.
        if self.random.random() < 0.5:
            self.key(self.random.choice(["ctrl+a", "End"]), to=self.main)
        if self.random.random() < 0.5:
            self.type_text(self.random.choice(TYPED), self.main)
        else:
            self.paste(self.random.choice(PASTED), self.main)
        if self.random.random() < 0.5:
            self.key("Return", to=self.main)

    def aim(self, button):
        """Clicks one of the controls: with `button` on the two lists, the left one elsewhere."""
        name = self.random.choice(AIMS)
        left, top, width, height = CONTROLS[name]
        where = (left + self.random.randrange(width), top + self.random.randrange(height))
        self.note("aim at the " + name)
        self.click(self.main, button if name in ("result list", "detail view") else 1, where)
        # As a person would: into an edit, then criteria, often with Enter.
        if name.endswith("edit") and self.random.random() < 0.7:
            self.enter_text()

    def search_known(self):
        """A search that finds rows, then the menu over them: the way to the comment editor."""
        self.note("search for a known message")
        for name in ("message edit", "comment edit", "code edit"):
            self.click(self.main, 1, CONTROLS[name][:2])
            self.key("ctrl+a", "Delete", to=self.main)
        self.type_text(self.random.choice(["ora-00942", "tns-12154", "sp2-0734"]), self.main)
        self.key("Return", to=self.main)
        time.sleep(0.3)
        self.click(self.main, 3, self.random.choice([(300, 40), (100, 300)]))

    def use_main_window(self):
        self.pick((0.2, lambda: self.click(self.main, 1)), (0.28, lambda: self.click(self.main, 3)),
                  (0.35, lambda: self.aim(3)), (0.47, lambda: self.aim(1)),
                  (0.67, lambda: self.key(self.random.choice(KEYS), to=self.main)),
                  (0.95, self.enter_text),
                  (0.955, lambda: self.click(self.main, 2)),  # pastes the selection, on X
                  (0.98, self.search_known),
                  (1, lambda: (self.close_and_wait(), self.start())))

    def step(self):
        self.check_running()
        others = self.other_windows()
        menus = [w for w in others if self.is_popup(w)]
        if not others:
            self.use_main_window()
        elif menus:
            self.met["menu"] += 1
            self.use_menu(menus[-1])
        elif (title := self.title(others[-1])).startswith("My comment on: "):
            self.met["comment editor"] += 1
            self.use_comment_editor(others[-1])
        else:
            self.met[title] += 1
            self.answer_box(others[-1], title)

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
            window, title = others[-1], self.title(others[-1])
            if self.is_popup(window):
                self.key("Escape")
            elif title == "About" or title.startswith("My comment"):
                self.close(window, title)
            else:
                self.key("Return", to=window)
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
