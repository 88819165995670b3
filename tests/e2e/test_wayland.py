"""Zantor on a Wayland session with no XWayland: under weston, with no DISPLAY, it runs
as a native Wayland client, read over the accessibility bus. Its tray icon goes to a
StatusNotifier tray, and a drag moves the window where the compositor lets it. With
no display at all it says so in one line and ends with its own status."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import pyatspi

from status_notifier_tray import StatusNotifierTray
from zantor_e2e import BUILD_DIR, ZantorCopy, find_one, is_showing, wait_for, xdotool

SOCKET = "wayland-zantor"
NO_DISPLAY = 69


class Weston:
    """A compositor of our own, without XWayland: headless, or drawing into the X
    session's screen, where the pointer of xdotool reaches it."""

    def __init__(self, backend):
        self.runtime = tempfile.mkdtemp(prefix="zantor-wayland-")
        self.log = open(os.path.join(self.runtime, "weston.log"), "w")
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        if backend == "headless":
            del env["DISPLAY"]
        # --debug lets the test read the scene and take screenshots.
        self.process = subprocess.Popen(
            ["weston", "--no-config", f"--backend={backend}-backend.so", "--use-pixman", f"--socket={SOCKET}",
             "--debug", "--width=1024", "--height=640"], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        wait_for(lambda: os.path.exists(os.path.join(self.runtime, SOCKET)), what="weston to start")
        self.protocol = None

    def record_requests(self):
        """Has the compositor write down every request its clients make, from now on."""
        self.protocol_log = os.path.join(self.runtime, "protocol.log")
        self.protocol = subprocess.Popen(["weston-debug", "proto", "-o", self.protocol_log], env=self.client_env())
        # The dump starts with the recorder's own request, once it is subscribed.
        wait_for(lambda: os.path.exists(self.protocol_log) and os.path.getsize(self.protocol_log),
                 what="the compositor's request log")

    def moves_requested(self):
        """How many interactive moves of a top-level window the compositor was asked for."""
        with open(self.protocol_log, encoding="utf-8", errors="replace") as log:
            return len(re.findall(r" rq xdg_toplevel@\d+\.move\(", log.read()))

    def client_env(self):
        """The environment of a program on this compositor alone."""
        env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "QT_QPA_PLATFORM")}
        return dict(env, WAYLAND_DISPLAY=SOCKET, XDG_RUNTIME_DIR=self.runtime)

    def view(self, title):
        """Where the compositor shows the top-level window titled `title`: (x, y), or None."""
        scene = subprocess.run(["weston-debug", "scene-graph"], env=self.client_env(), capture_output=True,
                               text=True, timeout=10).stdout
        found = re.search(rf"role xdg_toplevel, .*top-level window '{re.escape(title)}'.*\n\s*position: "
                          r"\((-?\d+), (-?\d+)\)", scene)
        return (int(found.group(1)), int(found.group(2))) if found else None

    def screenshot(self, name):
        folder = tempfile.mkdtemp(dir=self.runtime)
        subprocess.run(["weston-screenshooter"], cwd=folder, env=self.client_env(), check=True, timeout=20)
        shot, = os.listdir(folder)
        shutil.move(os.path.join(folder, shot), os.path.join(BUILD_DIR, name))

    def stop(self):
        if self.protocol:
            self.protocol.terminate()
            self.protocol.wait(timeout=10)
        self.process.terminate()
        self.process.wait(timeout=10)
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


def press(node):
    """Presses a button through the accessibility bus: headless weston has no pointer."""
    node.queryAction().doAction(0)


class WaylandTest(unittest.TestCase):
    def start(self, backend, **settings):
        self.weston = Weston(backend)
        self.addCleanup(self.weston.stop)
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        self.zantor.set_settings(**settings)
        self.zantor.process = subprocess.Popen([os.path.join(self.zantor.folder, "Zantor")], cwd=self.zantor.folder,
                                               env=self.weston.client_env())

    def test_runs_natively_and_degrades_what_wayland_does_not_allow(self):
        # A stored place that X11 would honour: on Wayland the compositor places the window.
        stored = (300, 200)
        self.start("headless", iniMinimized="0", checkMini="1", left=stored[0] * 15, top=stored[1] * 15)
        main = self.zantor.window("Kelmar Zantor")
        find_one(main, "label", "0 grupos")
        place = wait_for(lambda: self.weston.view("Kelmar Zantor"), what="the main window on the compositor")
        self.assertNotEqual(place, stored)
        self.weston.screenshot("e2e-wayland.png")

        # Wayland tells no window its place: the stored one stays as it was.
        press(find_one(main, "push button", "Gravar posição"))
        find_one(main, "label", "O Wayland não informa a posição.")
        self.assertEqual(self.zantor.settings("left", "top"), (stored[0] * 15, stored[1] * 15))

        # The compact list keeps its command to stay in front, and says that here it cannot.
        press(find_one(main, "push button", "Abrir o MiniZantor"))
        compact = self.zantor.window("MiniZantor")
        on_top = find_one(compact, "push button", "Manter na frente")
        self.assertIn("Wayland não permite", on_top.description)
        press(on_top)
        find_one(compact, "push button", "Tirar da frente")
        self.assertIsNone(self.zantor.process.poll())

    def test_hides_in_a_statusnotifier_tray_that_comes_up_late(self):
        # As at a login, Zantor starts in the tray, and the panel comes up only once
        # Zantor has looked for it and found none.
        tray = StatusNotifierTray(late=True)
        self.addCleanup(tray.stop)
        self.start("headless", iniMinimized="1", checkMini="1")
        item, = wait_for(tray.items, what="Zantor's item in the tray")
        self.assertIn("Kelmar Zantor", tray.item_property(item, "ToolTip"))

        tray.activate(item)
        wait_for(lambda: is_showing(self.zantor.window("Kelmar Zantor")), what="the window back from the tray")
        wait_for(lambda: not tray.items(), what="the item to go away")

        # The tray button hides it there again.
        press(find_one(self.zantor.window("Kelmar Zantor"), "push button", "Minimizar para o Tray"))
        wait_for(tray.items, what="Zantor's item in the tray again")

    def test_dragging_the_surface_moves_the_window(self):
        self.start("x11", iniMinimized="0", checkMini="1")
        main = self.zantor.window("Kelmar Zantor")
        output, = wait_for(lambda: xdotool("search", "--class", "weston"), what="weston's screen")
        screen = subprocess.run(["xwininfo", "-id", output], capture_output=True, text=True).stdout
        left, top, width, height = (int(re.search(rf"{field}:\s+(-?\d+)", screen).group(1)) for field in
                                    ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        # Weston's X11 backend follows the pointer by the moves X reports since the
        # pointer last came into its screen. The pointer rests inside it as weston starts,
        # and weston may take that first crossing before its shell is up and forget it:
        # its pointer then stays in a corner, and every press lands on its panel. Leave
        # the screen and come back, as a hand would, and weston's pointer is X's.
        corners = [(0, 0), tuple(int(size) - 1 for size in xdotool("getdisplaygeometry"))]
        outside = next(corner for corner in corners
                       if not (left <= corner[0] < left + width and top <= corner[1] < top + height))
        # A label is no control: a press on it takes the window, as one on the bare surface.
        grip = find_one(main, "label", "0 grupos").queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        self.weston.record_requests()
        for button, (dx, dy) in ((1, (-150, 60)), (3, (120, -40))):
            with self.subTest(button=button):
                start = wait_for(lambda: self.weston.view("Kelmar Zantor"), what="the window on the compositor")
                x, y = left + start[0] + grip.x + 5, top + start[1] + grip.y + grip.height // 2
                xdotool("mousemove", "--sync", *map(str, outside))
                xdotool("mousemove", "--sync", str(x), str(y))
                moves = self.weston.moves_requested()
                xdotool("mousedown", str(button))
                # A press alone is a click: Zantor asks the compositor to move the window
                # once the pointer has gone past the drag distance with the button held.
                # The window follows the pointer from that request on (from where it was
                # pressed), so the rest of the way waits for it.
                xdotool("mousemove", "--sync", str(x + dx // 10), str(y + dy // 10))
                wait_for(lambda: self.weston.moves_requested() == moves + 1, what="Zantor to ask for the move")
                for step in range(2, 11):
                    xdotool("mousemove", "--sync", str(x + dx * step // 10), str(y + dy * step // 10))
                xdotool("mouseup", str(button))
                wait_for(lambda: self.weston.view("Kelmar Zantor") == (start[0] + dx, start[1] + dy),
                         what=f"the window to move by {dx}, {dy}")


class NoDisplayTest(unittest.TestCase):
    def test_without_a_display_zantor_says_so_and_ends(self):
        zantor = ZantorCopy()
        self.addCleanup(zantor.stop)
        runtime = tempfile.mkdtemp(prefix="zantor-runtime-")
        self.addCleanup(shutil.rmtree, runtime, ignore_errors=True)
        base = {name: value for name, value in os.environ.items()
                if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        base["XDG_RUNTIME_DIR"] = runtime
        for name, displays in (("none named", {}),
                               ("a Wayland socket nobody serves", {"WAYLAND_DISPLAY": "wayland-gone"}),
                               ("an X display nobody serves", {"DISPLAY": ":987"}),
                               ("both gone", {"WAYLAND_DISPLAY": "wayland-gone", "DISPLAY": ":987"})):
            with self.subTest(name):
                ended = subprocess.run([os.path.join(zantor.folder, "Zantor")], cwd=zantor.folder,
                                       env={**base, **displays}, capture_output=True, text=True, timeout=60)
                self.assertEqual(ended.returncode, NO_DISPLAY, ended.stderr)
                self.assertEqual(ended.stderr.splitlines(),
                                 ["Não há tela onde mostrar o Zantor: nenhuma sessão Wayland ou X11 pôde ser aberta."])


if __name__ == "__main__":
    unittest.main(verbosity=2)
