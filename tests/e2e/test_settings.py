"""The settings window on a real desktop: it opens over the main window with every
control named, its shortcuts land in the user's real menu and autostart folders, and
Atualizar stores the options and brings the main window back."""
import os
import shutil
import subprocess
import tempfile
import unittest

from zantor_e2e import (ZantorCopy, click, descendants, find_one, screenshot, visible_windows, wait_for,
                        xdotool)
from test_startup import CONTROL_ROLES


class SettingsTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-settings-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.home = {
            "HOME": os.path.join(self.root, "home"),
            "XDG_DATA_HOME": os.path.join(self.root, "home", ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(self.root, "home", ".config"),
        }
        os.makedirs(self.home["HOME"])
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        for title in ("Contas da casa", "Estudos de francês", "Rock''n Roll"):
            self.zantor.add_group(title, "Item", "/tmp/item")

    def open_settings(self):
        self.zantor.start(env=self.home)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        main = self.zantor.window("Kelmar Zantor")
        click(find_one(main, "push button", "Configurações"))
        return main, wait_for(self.settings_window, what="the settings window")

    def settings_window(self):
        app = self.zantor.application()
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and descendants(window, "label", "Configuração"):
                return window
        return None

    def test_every_control_is_named_and_the_groups_are_listed(self):
        _, settings = self.open_settings()
        controls = [node for node in descendants(settings) if node.getRoleName() in CONTROL_ROLES]
        self.assertGreater(len(controls), 30)
        unnamed = [f"{node.getRoleName()} under {node.parent.name!r}" for node in controls if not node.name.strip()]
        self.assertEqual(unnamed, [])
        groups = find_one(settings, "list", "Grupos")
        titles = [groups.getChildAtIndex(i).name for i in range(groups.childCount)]
        self.assertEqual(titles, ["Contas da casa", "Estudos de francês", "Rock'n Roll"])
        self.assertTrue(descendants(settings, "label", "Total: 3"))
        wait_for(lambda: len(visible_windows("Kelmar Zantor")) == 1, what="the main window to hide")
        xdotool("mousemove", "5", "5")
        screenshot("e2e-settings.png")

    def test_shortcuts_land_in_the_menu_and_autostart_and_a_save_hands_back(self):
        main, settings = self.open_settings()
        click(find_one(settings, "check box", "Menu iniciar"))
        click(find_one(settings, "check box", "Iniciar com Windows"))
        click(find_one(settings, "push button", "Adicionar atalho(s)"))
        report = self.zantor.window("Zantor")
        said = [label.name for label in descendants(report, "label")]
        self.assertIn("Atalho criado no menu iniciar.\r\nAtalho criado na pasta iniciar com o Windows.", said)
        wait_for(lambda: visible_windows("Zantor"), what="the report to map")
        xdotool("search", "--onlyvisible", "--name", "^Zantor$", "windowactivate", "--sync")
        xdotool("key", "Return")
        wait_for(lambda: not visible_windows("Zantor"), what="the report to close")

        entries = [os.path.join(self.home["XDG_DATA_HOME"], "applications", "Zantor.desktop"),
                   os.path.join(self.home["XDG_CONFIG_HOME"], "autostart", "Zantor.desktop")]
        for entry in entries:
            with open(entry, encoding="utf-8") as text:
                self.assertIn(f"Exec={self.zantor.folder}/Zantor\n", text.read())
            self.assertTrue(os.access(entry, os.X_OK))
            validated = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
            self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.home["HOME"], "Desktop", "Zantor.desktop")))

        delay = find_one(settings, "text", "Intervalo de execução entre cada recurso")
        click(delay)
        xdotool("key", "ctrl+a", "BackSpace")
        xdotool("type", "1500")
        click(find_one(settings, "push button", "Atualizar"))
        wait_for(lambda: descendants(main, "label", "Configurações atualizadas com sucesso!"),
                 what="the status line on the main window")
        wait_for(lambda: self.settings_window() is None, what="the settings window to be unloaded")
        self.assertEqual(len(visible_windows("Kelmar Zantor")), 1)
        self.assertEqual(self.zantor.settings("tempo", "atalhos"), ("1500", ""))


if __name__ == "__main__":
    unittest.main(verbosity=2)
