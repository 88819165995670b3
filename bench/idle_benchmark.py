#!/usr/bin/python3
"""How often a Zantor left alone wakes up: a launcher stays open all day, often on a
laptop, and every wake-up costs power.

Zantor runs under a private Xvfb with a window manager (openbox) and a tray host
(trayer), as on a desktop, in three quiet states:

- its main window shown, the pointer away from every window;
- its main window shown, the pointer resting on the group list, on no title-bar image;
- hidden in the tray.

A wake-up is a context switch of any of its threads, voluntary or not, as the kernel
counts them in /proc/<pid>/task/*/status over a quiet window that starts once the
state has settled. The threads that woke are listed by name.

The exit status is 0 whether or not the goals are met: this measures, it does not
judge. It is non-zero only when something could not be measured at all.

Usage: idle_benchmark.py [--build-dir build] [--seconds 10]
"""
import argparse
import os
import sqlite3
import subprocess
import sys
import tempfile
import time

from Xlib import X

from startup_benchmark import CannotMeasure, PrivateX, clean_environment, make_app_folder, stop

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Enough groups for the list to be full, so that the pointer rests on rows.
GROUPS = 20
# A place on the group list, in the main window's own pixels: the list spans
# (16, 72) to (425, 345), the title-bar images lie above it.
ON_THE_LIST = (220, 200)
# The top left corner of the screen: no window of ours is ever there.
AWAY = (2, 2)

# (what, the most wake-ups a second it may take).
GOALS = {
    "away": ("visible, the pointer away from every window", 1.0),
    "list": ("visible, the pointer resting on the list", 12.0),
    "tray": ("hidden in the tray", 0.0),
}


class Desktop:
    """A window manager and a tray host on the private X server, as Zantor meets them."""

    def __init__(self, x, work):
        self.x = x
        self.helpers = []
        env = {"PATH": "/usr/bin:/bin", "DISPLAY": x.name, "XAUTHORITY": "/dev/null",
               "HOME": os.path.join(work, "home")}
        os.makedirs(env["HOME"], exist_ok=True)
        self._start(["openbox", "--sm-disable"], env, work, "openbox",
                    lambda: self._root_property("_NET_SUPPORTING_WM_CHECK") is not None)
        tray = x.connection.intern_atom("_NET_SYSTEM_TRAY_S0")
        self._start(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                     "--SetDockType", "true"], env, work, "trayer",
                    lambda: x.connection.get_selection_owner(tray) != X.NONE)

    def _start(self, command, env, work, name, ready, timeout=10.0):
        log = open(os.path.join(work, name + ".log"), "wb")
        try:
            process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                       start_new_session=True)
        except OSError as problem:
            raise CannotMeasure(f"{name} could not be started: {problem}")
        finally:
            log.close()
        self.helpers.append(process)
        deadline = time.monotonic() + timeout
        while not ready():
            if process.poll() is not None or time.monotonic() > deadline:
                raise CannotMeasure(f"{name} did not start")
            time.sleep(0.05)

    def _root_property(self, name):
        atom = self.x.connection.intern_atom(name)
        return self.x.root.get_full_property(atom, X.AnyPropertyType)

    def window_titled(self, title):
        """The absolute (x, y) of a viewable client window with this title, or None."""
        clients = self._root_property("_NET_CLIENT_LIST")
        for window_id in (clients.value if clients else []):
            window = self.x.connection.create_resource_object("window", window_id)
            name = window.get_full_property(self.x.connection.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
            if name is None or name.value.decode("utf-8", "replace") != title:
                continue
            if window.get_attributes().map_state != X.IsViewable:
                continue
            place = self.x.root.translate_coords(window, 0, 0)
            return place.x, place.y
        return None

    def icons_in_tray(self, program="Zantor"):
        """How many viewable windows of `program` the tray host holds."""
        def count(window, inside_tray):
            found = 0
            for child in window.query_tree().children:
                wm_class = child.get_wm_class() or ()
                in_tray = inside_tray or "trayer" in wm_class
                if inside_tray and program in wm_class and child.get_attributes().map_state == X.IsViewable:
                    found += 1
                found += count(child, in_tray)
            return found
        return count(self.x.root, False)

    def point_at(self, place):
        self.x.root.warp_pointer(*place)
        pointer = self.x.root.query_pointer()
        if (pointer.root_x, pointer.root_y) != place:
            raise CannotMeasure(f"the pointer went to ({pointer.root_x}, {pointer.root_y}), not to {place}")

    def close(self):
        for process in reversed(self.helpers):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def context_switches(pid):
    """{thread id: (name, context switches so far)} of every thread of the process."""
    threads = {}
    task_folder = f"/proc/{pid}/task"
    for tid in os.listdir(task_folder):
        try:
            with open(f"{task_folder}/{tid}/comm", encoding="utf-8", errors="replace") as comm:
                name = comm.read().strip()
            switches = 0
            with open(f"{task_folder}/{tid}/status", encoding="ascii") as status:
                for line in status:
                    if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
                        switches += int(line.split()[1])
        except FileNotFoundError:
            continue  # the thread ended between the listing and the reading
        threads[int(tid)] = (name, switches)
    return threads


def wake_ups(process, seconds):
    """(wake-ups a second of the whole process, {thread name: wake-ups a second}, names
    of the threads that ended meanwhile)."""
    before = context_switches(process.pid)
    started = time.monotonic()
    time.sleep(seconds)
    after = context_switches(process.pid)
    elapsed = time.monotonic() - started
    if process.poll() is not None:
        raise CannotMeasure(f"Zantor ended with status {process.returncode} while it was measured")
    by_name = {}
    for tid, (name, switches) in after.items():
        # A thread that started meanwhile counts in full.
        woke = switches - before.get(tid, (name, 0))[1]
        by_name[name] = by_name.get(name, 0) + woke
    # What a thread that ended did in the window is gone with it: the figure is then
    # only a floor, and the output says so.
    ended = [name for tid, (name, _) in before.items() if tid not in after]
    total = sum(by_name.values())
    return total / elapsed, {name: woke / elapsed for name, woke in by_name.items() if woke}, ended


def wait_until(condition, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise CannotMeasure(f"{what} did not happen within {timeout:.0f} s")
        time.sleep(0.1)


def start_zantor(folder, env, work):
    log = open(os.path.join(work, "zantor.log"), "wb")
    process = subprocess.Popen([os.path.join(folder, "Zantor")], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                               stdout=log, stderr=log, start_new_session=True)
    log.close()
    return process


def measure(desktop, folder, env, work, seconds, settle):
    results = {}
    desktop.point_at(AWAY)
    process = start_zantor(folder, env, work)
    try:
        place = wait_until(lambda: desktop.window_titled("Kelmar Zantor"), "the main window showing")
        time.sleep(settle)
        results["away"] = wake_ups(process, seconds)
        desktop.point_at((place[0] + ON_THE_LIST[0], place[1] + ON_THE_LIST[1]))
        time.sleep(settle)
        results["list"] = wake_ups(process, seconds)
    finally:
        stop(process)

    with sqlite3.connect(os.path.join(folder, "BD", "ZT_Config.db")) as db:
        db.execute("update Tabela1 set iniMinimized = '1' where id = 1")
    desktop.point_at(AWAY)
    process = start_zantor(folder, env, work)
    try:
        wait_until(lambda: desktop.icons_in_tray() == 1, "Zantor's icon in the tray")
        time.sleep(settle)
        if desktop.window_titled("Kelmar Zantor"):
            raise CannotMeasure("Zantor started in the tray, yet its main window is on the screen")
        results["tray"] = wake_ups(process, seconds)
    finally:
        stop(process)
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(REPO, "build"))
    parser.add_argument("--seconds", type=float, default=10.0, help="length of each quiet window")
    parser.add_argument("--settle", type=float, default=2.0, help="seconds a state is left before it is measured")
    args = parser.parse_args()
    build_dir = os.path.abspath(args.build_dir)

    with tempfile.TemporaryDirectory(prefix="zantor-idle-") as work:
        try:
            if not os.access(os.path.join(build_dir, "Zantor"), os.X_OK):
                raise CannotMeasure(f"{os.path.join(build_dir, 'Zantor')} is not built")
            x = PrivateX(work)
            desktop = None
            try:
                desktop = Desktop(x, work)
                folder = make_app_folder(work, GROUPS, build_dir)
                results = measure(desktop, folder, clean_environment(x.name, work), work, args.seconds,
                                  args.settle)
            finally:
                if desktop:
                    desktop.close()
                x.close()
        except CannotMeasure as problem:
            print(f"idle_benchmark: cannot measure: {problem}", file=sys.stderr)
            return 1

    print(f"Idle wake-ups: context switches of all threads a second, over {args.seconds:.0f} quiet seconds; "
          f"Xvfb, openbox, trayer")
    for key, (what, limit) in GOALS.items():
        rate, threads, ended = results[key]
        listing = ", ".join(f"{name} {woke:.1f}" for name, woke in sorted(threads.items(), key=lambda t: -t[1]))
        verdict = "met" if rate <= limit else "missed"
        print(f"  {what}: at most {limit:g}: {rate:.1f}, {verdict}" + (f" ({listing})" if listing else "") +
              (f"; not counted, threads that ended meanwhile: {', '.join(ended)}" if ended else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
