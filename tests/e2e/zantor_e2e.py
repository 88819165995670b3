"""Drives the real Zantor binary inside the private X session of xsession.sh.

Each test gets its own copy of the program and its data folders in a temporary
folder, reads the windows through the accessibility bus and acts with xdotool.
"""
import os
import re
import shutil
import sqlite3
import subprocess
import tempfile
import time

import pyatspi
from gi.repository import GLib

BUILD_DIR = os.environ.get("ZANTOR_BUILD_DIR", os.getcwd())


# Generous: a loaded machine may be slow to show a window, never wrong about it.
def wait_for(predicate, timeout=20.0, interval=0.1, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = predicate()
        except GLib.GError:
            # A widget that went away while the tree was read; read it again.
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.split()


def visible_windows(title):
    return xdotool("search", "--onlyvisible", "--name", f"^{title}$")


def write(path, text, mode=0o644):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    os.chmod(path, mode)


class RecordingDesktop:
    """A home of our own under `root` whose default application for text files and
    folders (and any other type named in `types`) is a recorder that appends what it was
    given to a log."""

    def __init__(self, root, types=("text/plain", "inode/directory")):
        self.log = os.path.join(root, "opened.log")
        self.home = os.path.join(root, "home")
        config = os.path.join(self.home, ".config")
        share = os.path.join(root, "share")
        recorder = os.path.join(root, "bin", "record-open")
        write(recorder, f"#!/bin/sh\nprintf 'opened %s\\n' \"$1\" >> '{self.log}'\n", 0o755)
        write(os.path.join(share, "applications", "zantor-e2e-recorder.desktop"),
              "[Desktop Entry]\nType=Application\nName=Recorder\n"
              f"Exec={recorder} %f\nMimeType={''.join(f'{t};' for t in types)}\nNoDisplay=true\n")
        write(os.path.join(config, "mimeapps.list"),
              "[Default Applications]\n" + "".join(f"{t}=zantor-e2e-recorder.desktop\n" for t in types))
        os.makedirs(os.path.join(self.home, ".local", "share"), exist_ok=True)
        self.env = {
            "HOME": self.home,
            "XDG_CONFIG_HOME": config,
            "XDG_CONFIG_DIRS": os.path.join(root, "etc-xdg"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_DATA_DIRS": f"{share}:/usr/share",
            # Without a desktop of its own, xdg-open asks the freedesktop defaults
            # (mimeapps.list), which is what this home sets up.
            "XDG_CURRENT_DESKTOP": "X-Generic",
        }

    def logged(self):
        try:
            with open(self.log, encoding="utf-8") as log:
                return log.read().splitlines()
        except FileNotFoundError:
            return []


def screenshot(name):
    """Saves the whole screen as a PNG in the build folder and returns its path."""
    path = os.path.join(BUILD_DIR, name)
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


class ZantorCopy:
    """The binary with BD and IMG in a temporary folder of its own."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="zantor-e2e-")
        shutil.copy2(os.path.join(BUILD_DIR, "Zantor"), self.folder)
        for data in ("BD", "IMG"):
            shutil.copytree(os.path.join(BUILD_DIR, data), os.path.join(self.folder, data),
                            ignore=shutil.ignore_patterns("*.db", "*.part"))
        self.process = None

    def database(self, name):
        return os.path.join(self.folder, "BD", name)

    def create_databases(self):
        """Makes the databases from the shipped seed scripts, as a first start would."""
        for name in ("ZT_Config", "ZT_Itens", "ZT_Cats"):
            path = self.database(name + ".db")
            if not os.path.exists(path):
                with open(self.database(name + ".sql"), encoding="utf-8") as seed, sqlite3.connect(path) as db:
                    db.executescript(seed.read())

    def add_group(self, title, items="", addresses="", categoria=1, ordem=0, qtd="1", date="01/12/2026"):
        self.create_databases()
        with sqlite3.connect(self.database("ZT_Itens.db")) as db:
            cursor = db.execute(
                "insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) values (?,?,?,?,?,?,?)",
                (title, items, addresses, qtd, date, categoria, ordem))
            return cursor.lastrowid

    def set_settings(self, **columns):
        self.create_databases()
        with sqlite3.connect(self.database("ZT_Config.db")) as db:
            for column, value in columns.items():
                db.execute(f"update Tabela1 set [{column}]=? where id=1", (value,))

    def settings(self, *columns):
        with sqlite3.connect(self.database("ZT_Config.db")) as db:
            return db.execute(f"select {','.join(f'[{c}]' for c in columns)} from Tabela1 where id=1").fetchone()

    def start(self, env=None, args=()):
        self.process = subprocess.Popen([os.path.join(self.folder, "Zantor"), *args], cwd=self.folder,
                                        env={**os.environ, **(env or {})})
        return self.process

    def run(self, *args, env=None, unset=()):
        """Runs the program to its end with the given command line, as a script would,
        without the variables named in `unset`."""
        environment = {name: value for name, value in {**os.environ, **(env or {})}.items() if name not in unset}
        return subprocess.run([os.path.join(self.folder, "Zantor"), *args], cwd=self.folder, capture_output=True,
                              text=True, env=environment, timeout=60)

    def processes(self):
        """The ids of the processes running this copy's binary."""
        binary = os.path.join(self.folder, "Zantor")
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if os.readlink(f"/proc/{pid}/exe") == binary:
                    found.append(int(pid))
            except OSError:
                continue
        return found

    def wait_exit(self, timeout=10.0):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
        shutil.rmtree(self.folder, ignore_errors=True)

    # The accessibility tree of the running program.
    def application(self, timeout=20.0):
        def find():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    if app is not None and app.get_process_id() == self.process.pid:
                        return app
                except Exception:
                    continue
            # The list of programs is kept from the registry's announcements, which a
            # busy moment can leave behind; the next look asks the registry itself.
            desktop.clear_cache()
            return None
        return wait_for(find, timeout, what="Zantor on the accessibility bus")

    def window(self, title, timeout=20.0):
        def find():
            app = self.application(timeout)
            for i in range(app.childCount):
                child = app.getChildAtIndex(i)
                if child is not None and child.name == title:
                    return child
            return None
        return wait_for(find, timeout, what=f"window {title!r}")


def descendants(node, role=None, name=None):
    """Every node below `node`, with the given role name and accessible name if given.
    A node that goes away while the tree is read is passed over."""
    found = []
    try:
        count = node.childCount
    except GLib.GError:
        return found
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            role_name, child_name = child.getRoleName(), child.name
        except GLib.GError:
            continue
        if (role is None or role_name == role) and (name is None or child_name == name):
            found.append(child)
        found.extend(descendants(child, role, name))
    return found


def find_one(node, role=None, name=None, timeout=20.0):
    """The one node of that role and name below `node`, once there is exactly one."""
    found = []

    def exactly_one():
        found[:] = descendants(node, role, name)
        return found[0] if len(found) == 1 else None
    try:
        return wait_for(exactly_one, timeout, what=f"one {role} {name!r}")
    except AssertionError:
        raise AssertionError(f"expected one {role} {name!r}, found {len(found)}") from None


def drag(x, y, dx, dy, steps=10):
    """Presses the left button at (x, y) and moves the pointer by (dx, dy) before
    releasing it."""
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("mousedown", "1")
    for step in range(1, steps + 1):
        xdotool("mousemove", "--sync", str(x + dx * step // steps), str(y + dy * step // steps))
        time.sleep(0.02)
    xdotool("mouseup", "1")


def settled_place(window_id, start):
    """Where a dragged window came to rest: it left `start` and stands still."""
    last = []

    def resting():
        now = window_geometry(window_id)[:2]
        still = bool(last) and now == last[-1] and now != start
        last.append(now)
        return now if still else None
    return wait_for(resting, interval=0.3, what="the window to move and come to rest")


def table_rows(table):
    """The cell texts of a list or tree table, row by row."""
    columns = table.queryTable().nColumns
    rows = table.queryTable().nRows
    return [[table.queryTable().getAccessibleAt(r, c).name for c in range(columns)] for r in range(rows)]


def click(node, button=1):
    """Clicks the middle of an accessible node on the screen."""
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", str(button))


def click_into(node, keyboard=None):
    """Clicks a control and waits until it, or `keyboard` (the view that takes the keys
    for one of its cells), has the keyboard: until its window has been given the focus,
    keys go to another."""
    click(node)
    keyboard = keyboard or node
    wait_for(lambda: keyboard.getState().contains(pyatspi.STATE_FOCUSED), what=f"{keyboard.name!r} to take keys")


def is_showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def is_under_pointer(window_id):
    """Whether the pointer is over the top-level window, in its frame or not, and no
    other window covers it there."""
    under = dict(word.split("=", 1) for word in xdotool("getmouselocation", "--shell"))["WINDOW"]
    tree = subprocess.run(["xwininfo", "-children", "-id", window_id], capture_output=True, text=True).stdout
    frame = re.search(r"Parent window id: (0x[0-9a-f]+)", tree)
    return int(under) in (int(window_id), int(frame.group(1), 16) if frame else None)


def window_geometry(window_id):
    """(x, y, width, height) of a top-level window on the screen."""
    values = dict(line.split("=", 1) for line in
                  subprocess.run(["xdotool", "getwindowgeometry", "--shell", window_id],
                                 capture_output=True, text=True).stdout.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def settled_tray_icons():
    """The tray icons once the tray host has laid them out: an icon is embedded small
    and then grows into its place, and a click on the first place would miss it."""
    last = []

    def resting():
        now = tray_icons()
        still = bool(now) and bool(last) and now == last[-1]
        last.append(now)
        return now if still else None
    return wait_for(resting, interval=0.3, what="the tray icon")


def tray_icons(program="Zantor"):
    """The program's icon windows embedded in the tray host, as (id, x, y, width, height)."""
    icons = []
    panel_depth = None
    for line in subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout.splitlines():
        depth = len(line) - len(line.lstrip())
        words = line.split()
        if not words or not words[0].startswith("0x"):
            continue
        if '"panel":' in line and '"trayer")' in line:
            panel_depth = depth
            continue
        if panel_depth is not None and depth <= panel_depth:
            panel_depth = None
        if panel_depth is not None and depth > panel_depth:
            size, _, absolute = words[-2], None, words[-1]
            width, height = (int(v) for v in size.split("+")[0].split("x"))
            x, y = (int(v) for v in absolute.lstrip("+").split("+"))
            if width > 1 and height > 1 and f'("{program}"' in line:
                icons.append((words[0], x, y, width, height))
    return icons
