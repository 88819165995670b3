"""The real program starts, shows its main window with the stored groups, and stops
with a clear message when a database cannot be read."""
import signal
import unittest

from zantor_e2e import (ZantorCopy, descendants, find_one, screenshot, table_rows, visible_windows, wait_for,
                        xdotool)


# What a user sees or works with; the toolkit's own layout fillers carry no meaning.
CONTROL_ROLES = {"label", "push button", "check box", "image", "tree", "text", "table column header", "table cell",
                 "scroll bar", "frame", "panel"}


class StartupTest(unittest.TestCase):
    def setUp(self):
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)

    def test_main_window_lists_the_stored_groups(self):
        self.zantor.add_group("Manhã de trabalho", "Planilha, Relatório", "/tmp/a\x1f/tmp/b", categoria=1)
        self.zantor.add_group("Aulas", "Caderno", "/tmp/c", categoria=2)
        self.zantor.add_group("d'Artagnan", "Filme", "/tmp/d", categoria=4)
        self.zantor.start()

        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")
        window = self.zantor.window("Kelmar Zantor")
        groups = find_one(window, "tree", "Grupos")
        rows = wait_for(lambda: table_rows(groups), what="rows in the group list")
        self.assertEqual([row[0] for row in rows], [" Aulas", " d'Artagnan", " Manhã de trabalho"])
        self.assertEqual(rows[2][1], "Planilha, Relatório")
        find_one(window, "label", "3 grupos")
        screenshot("e2e-startup.png")

    def test_every_control_has_an_accessible_name(self):
        self.zantor.add_group("Aulas", "Caderno", "/tmp/c", categoria=2)
        self.zantor.start()
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")
        window = self.zantor.window("Kelmar Zantor")
        controls = [node for node in descendants(window) if node.getRoleName() in CONTROL_ROLES]
        self.assertGreater(len(controls), 30)
        unnamed = [f"{node.getRoleName()} under {node.parent.name!r}" for node in controls if not node.name.strip()]
        self.assertEqual(unnamed, [])

    def test_a_broken_database_is_named_and_ends_the_program(self):
        # Closed by the user, or asked to end by the system (a logout) while it shows.
        for end, status in (("key", 2), ("signal", -signal.SIGTERM)):
            with self.subTest(end):
                copy = ZantorCopy()
                self.addCleanup(copy.stop)
                copy.create_databases()
                with open(copy.database("ZT_Itens.db"), "wb") as broken:
                    broken.write(b"this is not a database")
                copy.start()

                box = copy.window("Erro")
                self.assertTrue([label for label in descendants(box, "label") if "ZT_Itens.db" in label.name])
                wait_for(lambda: visible_windows("Erro"), what="the message box to map")
                if end == "key":
                    xdotool("search", "--onlyvisible", "--name", "^Erro$", "windowactivate", "--sync")
                    xdotool("key", "Return")
                else:
                    copy.process.send_signal(signal.SIGTERM)
                self.assertEqual(copy.wait_exit(), status)
                self.assertFalse(visible_windows("Kelmar Zantor"))
                with open(copy.database("ZT_Itens.db"), "rb") as kept:
                    self.assertEqual(kept.read(), b"this is not a database")


if __name__ == "__main__":
    unittest.main(verbosity=2)
