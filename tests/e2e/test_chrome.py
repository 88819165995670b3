"""The main window's chrome on a real desktop: the title-bar images light up under the
pointer, the window goes to the tray and comes back from its icon, and it can be
dragged by its surface to a place that is stored for the next start."""
import subprocess
import unittest

from zantor_e2e import (ZantorCopy, descendants, drag, find_one, is_showing, screenshot, settled_place, settled_tray_icons, tray_icons,
                        visible_windows, wait_for, window_geometry, xdotool)


def centre(node):
    extents = node.queryComponent().getExtents(0)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


class ChromeTest(unittest.TestCase):
    def setUp(self):
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        self.zantor.add_group("Manhã", "Planilha", "/tmp/a")

    def start(self):
        self.zantor.start()
        window_id = wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")[0]
        return window_id, self.zantor.window("Kelmar Zantor")

    def test_tray_round_trip_with_a_lit_title_bar(self):
        window_id, window = self.start()
        before = window_geometry(window_id)
        tray_image = find_one(window, "image", "Minimizar para o Tray")
        tray_button = find_one(window, "push button", "Minimizar para o Tray")
        xdotool("mousemove", "--sync", "5", "5")
        wait_for(lambda: not is_showing(tray_button), what="the tray image at rest")
        screenshot("e2e-titlebar-normal.png")

        x, y = centre(tray_image)
        xdotool("mousemove", "--sync", str(x), str(y))
        wait_for(lambda: is_showing(tray_button), what="the tray image to light up")
        # Straight up from the image, off the window: it goes out.
        xdotool("mousemove", "--sync", str(x), str(before[1] - 4))
        wait_for(lambda: not is_showing(tray_button), what="the tray image to go out")
        xdotool("mousemove", "--sync", str(x), str(y))
        wait_for(lambda: is_showing(tray_button), what="the tray image to light up again")
        screenshot("e2e-titlebar-hover.png")
        self.assertEqual(tray_icons(), [])

        xdotool("click", "1")
        wait_for(lambda: not visible_windows("Kelmar Zantor"), what="the window to leave the screen")
        icons = settled_tray_icons()
        self.assertEqual(len(icons), 1)
        _, ix, iy, iw, ih = icons[0]
        xdotool("mousemove", "--sync", str(ix + iw // 2), str(iy + ih // 2))
        xdotool("click", "1")
        window_id = wait_for(lambda: visible_windows("Kelmar Zantor"), what="the window back")[0]
        wait_for(lambda: not tray_icons(), what="the tray icon to go")
        self.assertEqual(window_geometry(window_id), before)

    def test_minimise_image_sends_the_window_to_the_task_bar(self):
        window_id, window = self.start()
        x, y = centre(find_one(window, "image", "Minimizar"))
        xdotool("mousemove", "--sync", str(x), str(y))
        wait_for(lambda: is_showing(find_one(window, "push button", "Minimizar")), what="the image to light up")
        xdotool("click", "1")
        wait_for(lambda: "Iconic" in subprocess.run(["xprop", "-id", window_id, "WM_STATE"], capture_output=True,
                                                    text=True).stdout, what="the window to be minimised")
        self.assertEqual(tray_icons(), [])

    def test_dragged_place_is_stored_and_used_at_the_next_start(self):
        window_id, window = self.start()
        x, y, _, _ = window_geometry(window_id)
        # The seed centres the window on a 1366 x 768 screen.
        self.assertEqual((x, y), (463, 155))

        drag(x + 300, y + 12, -200, 100)
        moved = settled_place(window_id, (x, y))

        store = find_one(window, "push button", "Gravar posição")
        bx, by = centre(store)
        xdotool("mousemove", "--sync", str(bx), str(by))
        xdotool("click", "1")
        wait_for(lambda: descendants(window, "label", "Posição gravada!"), what="the status line")
        self.assertEqual(self.zantor.settings("left", "top"), (moved[0] * 15, moved[1] * 15))
        # The status line clears itself.
        wait_for(lambda: not descendants(window, "label", "Posição gravada!"), what="the status to clear")

        self.zantor.process.terminate()
        self.zantor.wait_exit()
        window_id, _ = self.start()
        self.assertEqual(window_geometry(window_id)[:2], moved)


if __name__ == "__main__":
    unittest.main(verbosity=2)
