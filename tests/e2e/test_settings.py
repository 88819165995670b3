"""The settings window on a real desktop: it opens over the main window with every
control named, its shortcuts land in the user's real menu and autostart folders, and
Atualizar stores the options and brings the main window back."""
import os
import subprocess
import tempfile
import unittest

from test_startup import CONTROL_ROLES
from zantor_e2e import (ZantorCopy, click, click_into, descendants, find_one, screenshot, visible_windows, wait_for,
                        xdotool)


class SettingsTest(unittest.TestCase):
    def settings_window(self):
        app = self.zantor.application()
        windows = [app.getChildAtIndex(i) for i in range(app.childCount)]
        return next((w for w in windows if w is not None and descendants(w, "label", "Configuração")), None)

    def test_shortcuts_and_a_save_from_the_settings_window(self):
        home = tempfile.TemporaryDirectory(prefix="zantor-home-")
        self.addCleanup(home.cleanup)
        env = {"HOME": home.name, "XDG_DATA_HOME": os.path.join(home.name, "share"),
               "XDG_CONFIG_HOME": os.path.join(home.name, "config")}
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        for title in ("Contas da casa", "Rock''n Roll"):
            self.zantor.add_group(title, "Item", "/tmp/item")
        self.zantor.start(env=env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        main = self.zantor.window("Kelmar Zantor")
        click(find_one(main, "push button", "Configurações"))
        settings = wait_for(self.settings_window, what="the settings window")

        controls = [node for node in descendants(settings) if node.getRoleName() in CONTROL_ROLES]
        self.assertGreater(len(controls), 30)
        self.assertEqual([f"{node.getRoleName()} under {node.parent.name!r}" for node in controls
                          if not node.name.strip()], [])
        groups = find_one(settings, "list", "Grupos")
        self.assertEqual([groups.getChildAtIndex(i).name for i in range(groups.childCount)],
                         ["Contas da casa", "Rock'n Roll"])
        wait_for(lambda: len(visible_windows("Kelmar Zantor")) == 1, what="the main window to hide")
        xdotool("mousemove", "5", "5")
        screenshot("e2e-settings.png")

        click(find_one(settings, "check box", "Menu de aplicativos"))
        click(find_one(settings, "check box", "Iniciar com a sessão"))
        click(find_one(settings, "push button", "Adicionar atalho(s)"))
        find_one(self.zantor.window("Zantor"), "label",
                 "Atalho criado no menu de aplicativos.\r\nAtalho criado para iniciar com a sessão.")
        wait_for(lambda: visible_windows("Zantor"), what="the report to map")
        xdotool("search", "--onlyvisible", "--name", "^Zantor$", "windowactivate", "--sync")
        xdotool("key", "Return")
        for entry in (os.path.join(env["XDG_DATA_HOME"], "applications", "Zantor.desktop"),
                      os.path.join(env["XDG_CONFIG_HOME"], "autostart", "Zantor.desktop")):
            with open(entry, encoding="utf-8") as text:
                self.assertIn(f"Exec={self.zantor.folder}/Zantor\n", text.read())
            validated = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
            self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)

        click_into(find_one(settings, "text", "Intervalo de execução entre cada recurso"))
        xdotool("key", "ctrl+a", "BackSpace")
        xdotool("type", "1500")
        click(find_one(settings, "push button", "Atualizar"))
        wait_for(lambda: descendants(main, "label", "Configurações atualizadas com sucesso!"), what="the status")
        wait_for(lambda: self.settings_window() is None, what="the settings window to be unloaded")
        self.assertEqual(self.zantor.settings("tempo", "atalhos"), ("1500", ""))


if __name__ == "__main__":
    unittest.main(verbosity=2)
