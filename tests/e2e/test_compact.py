"""The compact list on a real desktop: the program starts with it, or with only its tray
icon, it stays above other windows through the window manager's state without being
made again, and its close brings the main window back."""
import subprocess
import unittest

from zantor_e2e import (ZantorCopy, click, descendants, find_one, screenshot, settled_tray_icons, tray_icons,
                        visible_windows, wait_for, window_geometry, xdotool)


def kept_above(window_id):
    state = subprocess.run(["xprop", "-id", window_id, "_NET_WM_STATE"], capture_output=True, text=True).stdout
    return "_NET_WM_STATE_ABOVE" in state


class CompactTest(unittest.TestCase):
    def setUp(self):
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        self.zantor.add_group("Manhã de trabalho", "Planilha", "/tmp/a")
        self.zantor.add_group("Aulas", "Caderno", "/tmp/b")

    def test_the_compact_window_stays_on_top_and_hands_back(self):
        self.zantor.set_settings(checkMini="0", iniMinimized="0", optLargura="2", miniLeft=9000, miniTop=3000)
        self.zantor.start()
        window_id = wait_for(lambda: visible_windows("MiniZantor"), what="the compact window to map")[0]
        self.assertFalse(visible_windows("Kelmar Zantor"))
        window = self.zantor.window("MiniZantor")
        titles = [item.name for item in descendants(find_one(window, "list", "Grupos"), "list item")]
        self.assertEqual(titles, ["Aulas", "Manhã de trabalho"])
        place = window_geometry(window_id)
        self.assertEqual(place[:3], (600, 200, 130))
        self.assertFalse(kept_above(window_id))

        click(find_one(window, "push button", "Manter na frente"))
        wait_for(lambda: kept_above(window_id), what="_NET_WM_STATE_ABOVE")
        screenshot("e2e-compact-on-top.png")
        click(find_one(window, "push button", "Tirar da frente"))
        wait_for(lambda: not kept_above(window_id), what="_NET_WM_STATE_ABOVE to go")
        # The same native window, in the same place, all along.
        self.assertEqual(visible_windows("MiniZantor"), [window_id])
        self.assertEqual(window_geometry(window_id), place)

        click(find_one(window, "push button", "Fechar MiniZantor"))
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to come back")
        wait_for(lambda: not visible_windows("MiniZantor"), what="the compact window to go")

    def test_a_start_in_the_tray_shows_only_the_compact_icon(self):
        self.zantor.set_settings(checkMini="0", iniMinimized="1")
        self.zantor.start()
        icons = settled_tray_icons()
        self.assertEqual(len(icons), 1)
        self.assertFalse(visible_windows("MiniZantor"))
        self.assertFalse(visible_windows("Kelmar Zantor"))

        _, x, y, width, height = icons[0]
        xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2))
        xdotool("click", "1")
        wait_for(lambda: visible_windows("MiniZantor"), what="the compact window back")
        wait_for(lambda: not tray_icons(), what="the tray icon to go")
        self.assertFalse(visible_windows("Kelmar Zantor"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
