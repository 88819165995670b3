"""The delete confirmation and the help and about pages on a real desktop: the
confirmation stands over the main window and holds it until answered; the pages cover
the main window and hand it back where they stand."""
import sqlite3
import unittest

from zantor_e2e import (ZantorCopy, click, descendants, drag, find_one, is_showing, screenshot, settled_place,
                        table_rows, visible_windows, wait_for, window_geometry, xdotool)


class DialogsTest(unittest.TestCase):
    def setUp(self):
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        for title, category in (("Contas da casa", 6), ("Estudos de francês", 2), ("Manhã de trabalho", 1)):
            self.zantor.add_group(title, "Planilha, Pasta", "/tmp/a\x1f/tmp/b", categoria=category, qtd="2")
        self.zantor.start()
        self.main_id = wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")[0]
        self.main = self.zantor.window("Kelmar Zantor")

    def showing(self, role, name):
        """Waits for the one control of that role and name on the screen, in any window."""
        def find():
            app = self.zantor.application()
            windows = [app.getChildAtIndex(i) for i in range(app.childCount)]
            matches = [control for window in windows if window is not None and is_showing(window)
                       for control in descendants(window, role, name) if is_showing(control)]
            return matches[0] if len(matches) == 1 else None
        return wait_for(find, what=f"{role} {name!r} on the screen")

    def stored_titles(self):
        with sqlite3.connect(self.zantor.database("ZT_Itens.db")) as db:
            return [row[0] for row in db.execute("select titulo1 from Tabela1 order by id")]

    def test_confirmation_holds_the_main_window_until_yes(self):
        groups = find_one(self.main, "tree", "Grupos")
        wait_for(lambda: table_rows(groups), what="rows")
        click(groups.queryTable().getAccessibleAt(1, 0))
        click(find_one(self.main, "push button", "Excluir grupo"))
        windows = wait_for(lambda: len(visible_windows("Kelmar Zantor")) == 2 and visible_windows("Kelmar Zantor"),
                           what="the confirmation")
        dialog_id = next(w for w in windows if w != self.main_id)
        main_x, main_y, _, _ = window_geometry(self.main_id)
        # 1640 and 2160 twips from the main window's corner; 3495 x 2205 twips.
        self.assertEqual(window_geometry(dialog_id), (main_x + 109, main_y + 144, 233, 147))
        screenshot("e2e-delete-confirmation.png")

        # While it is open the main list takes no clicks.
        click(groups.queryTable().getAccessibleAt(0, 0))
        click(self.showing("push button", "Sim"))
        wait_for(lambda: len(visible_windows("Kelmar Zantor")) == 1, what="the confirmation to close")
        self.assertEqual(self.stored_titles(), ["Contas da casa", "Manhã de trabalho"])
        wait_for(lambda: [row[0] for row in table_rows(groups)] == [" Contas da casa", " Manhã de trabalho"],
                 what="the rebuilt list")

    def test_pages_cover_the_main_window_and_hand_it_back(self):
        place = window_geometry(self.main_id)
        for command, heading, shot in (("Ajuda", "Ajuda", "e2e-help.png"),
                                       ("Sobre o Zantor", "Sobre o programa", "e2e-about.png")):
            click(find_one(self.main, "push button", command))
            self.showing("label", heading)
            page_id = wait_for(lambda: [w for w in visible_windows("Kelmar Zantor") if w != self.main_id],
                               what="the page")[0]
            wait_for(lambda: self.main_id not in visible_windows("Kelmar Zantor"), what="the main window to hide")
            self.assertEqual(window_geometry(page_id), place)
            screenshot(shot)

            self.close_page()
            wait_for(lambda: visible_windows("Kelmar Zantor") == [self.main_id], what="the main window back")
            self.assertEqual(window_geometry(self.main_id), place)

    def close_page(self):
        close_image = self.showing("image", "Fechar")
        extents = close_image.queryComponent().getExtents(0)
        xdotool("mousemove", "--sync", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2))
        self.showing("push button", "Fechar")
        xdotool("click", "1")

    def test_a_page_dragged_away_brings_the_main_window_there_and_its_place_is_stored(self):
        # A window shown again after hiding may be reported at (0, 0) by the window
        # manager while it stands elsewhere: several hand-backs give that a chance.
        for turn in range(3):
            x, y, _, _ = window_geometry(self.main_id)
            click(find_one(self.main, "push button", "Sobre o Zantor"))
            self.showing("label", "Sobre o programa")
            page_id = wait_for(lambda: [w for w in visible_windows("Kelmar Zantor") if w != self.main_id],
                               what="the page")[0]
            wait_for(lambda: self.main_id not in visible_windows("Kelmar Zantor"), what="the main window to hide")
            # Where the page comes to rest depends on when the window manager took
            # the drag; wherever that is, the main window comes back there.
            drag(x + 300, y + 12, -50, 40)
            place = settled_place(page_id, (x, y))
            self.close_page()
            wait_for(lambda: visible_windows("Kelmar Zantor") == [self.main_id], what="the main window back")
            self.assertEqual(window_geometry(self.main_id)[:2], place)

            click(find_one(self.main, "push button", "Gravar posição"))
            wait_for(lambda: descendants(self.main, "label", "Posição gravada!"), what="the status line")
            self.assertEqual(self.zantor.settings("left", "top"), (place[0] * 15, place[1] * 15))
            wait_for(lambda: not descendants(self.main, "label", "Posição gravada!"), what="the status line to clear")


if __name__ == "__main__":
    unittest.main()
