"""A group's own shortcut, made from the main list's right-click menu: its login entry
opens the group through the running Zantor, and through a new one when none runs."""
import os
import shlex
import shutil
import subprocess
import tempfile
import unittest

from zantor_e2e import (RecordingDesktop, ZantorCopy, click_into, find_one, screenshot, table_rows, visible_windows,
                        wait_for, write, xdotool)


class GroupShortcutsTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-shortcuts-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.desktop = RecordingDesktop(self.root)
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)

    def test_the_login_entry_opens_the_group_with_or_without_a_running_zantor(self):
        note = os.path.join(self.root, "recursos", "nota.txt")
        write(note, "nota\n")
        self.zantor.add_group("Primeiro", "x", "/x")
        group = self.zantor.add_group("Manhã", "Nota", note)
        self.zantor.set_settings(tempo="300")
        self.zantor.start(self.desktop.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")
        groups = find_one(self.zantor.window("Kelmar Zantor"), "tree", "Grupos")
        wait_for(lambda: len(table_rows(groups)) == 2, what="the two groups")

        # Qt leaves popup menus out of the accessibility tree: the menu is a new window of
        # ours, and its last entry ("Abrir ao entrar na sessão") is one key up. It hears
        # the keys through the window that has the keyboard: the list's, once clicked.
        click_into(groups.queryTable().getAccessibleAt(0, 0), groups)
        windows = set(xdotool("search", "--onlyvisible", "--class", "Zantor"))
        xdotool("click", "3")
        wait_for(lambda: set(xdotool("search", "--onlyvisible", "--class", "Zantor")) - windows,
                 what="the right-click menu")
        screenshot("e2e-group-menu.png")
        xdotool("key", "Up", "Return")
        login = os.path.join(self.desktop.home, ".config", "autostart", f"zantor-grupo-{group}.desktop")
        wait_for(lambda: os.path.exists(login), what="the login entry")
        with open(login, encoding="utf-8") as file:
            exec_line = next(line for line in file.read().splitlines() if line.startswith("Exec="))
        command = shlex.split(exec_line[len("Exec="):])
        self.assertEqual(command, [os.path.join(self.zantor.folder, "Zantor"), "--abrir-id", str(group)])

        # Zantor is running: it opens the group itself, and the command ends at once.
        handed = subprocess.run(command, env={**os.environ, **self.desktop.env}, capture_output=True, text=True,
                                timeout=60)
        self.assertEqual(handed.returncode, 0, handed.stderr)
        wait_for(lambda: self.desktop.logged() == [f"opened {note}"], what="the group opened by the running copy")

        # At login no Zantor runs yet: the command starts one, which opens the group.
        self.zantor.process.terminate()
        self.zantor.wait_exit()
        fresh = subprocess.Popen(command, env={**os.environ, **self.desktop.env})
        self.addCleanup(lambda: fresh.poll() is None and (fresh.terminate(), fresh.wait(timeout=5)))
        wait_for(lambda: self.desktop.logged() == [f"opened {note}"] * 2, timeout=30,
                 what="the group opened by a new copy")
        self.assertIsNone(fresh.poll())


if __name__ == "__main__":
    unittest.main(verbosity=2)
