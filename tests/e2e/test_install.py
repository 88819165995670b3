"""Zantor installed like a Linux program: `cmake --install` into a prefix that is then
made read-only, started from its menu entry under a home of its own. Its databases
appear in the user's data folder and nothing in the prefix changes; its shortcuts and
its help documents are the installed ones; the Debian package carries the same layout
and names its dependencies."""
import glob
import os
import shlex
import shutil
import sqlite3
import stat
import subprocess
import tempfile
import unittest

from zantor_e2e import (BUILD_DIR, RecordingDesktop, ZantorCopy, click, descendants, find_one, screenshot,
                        visible_windows, wait_for, xdotool)

CMAKE = os.environ.get("ZANTOR_CMAKE", "cmake")
CPACK = os.environ.get("ZANTOR_CPACK", "cpack")
DATABASES = ["ZT_Cats.db", "ZT_Config.db", "ZT_Itens.db"]
HELP_DOCUMENT = "ReadMe_Informacoes-e-consideracoes.pdf"


def tree_state(root):
    """Every path under `root` with its kind, mode, size and modification time."""
    state = {}
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            state[os.path.relpath(path, root)] = (info.st_mode, info.st_size, info.st_mtime_ns)
    return state


def set_writable(root, writable):
    for folder, _, files in os.walk(root):
        for path in [folder] + [os.path.join(folder, name) for name in files]:
            mode = os.lstat(path).st_mode
            os.chmod(path, mode | stat.S_IWUSR if writable else mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))


def entry_values(path):
    with open(path, encoding="utf-8") as entry:
        return dict(line.rstrip("\n").split("=", 1) for line in entry if "=" in line)


def validate_entry(test, path):
    validated = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
    test.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
    test.assertNotIn("error", validated.stdout + validated.stderr)


def page_with_label(zantor, text):
    app = zantor.application()
    windows = [app.getChildAtIndex(i) for i in range(app.childCount)]
    return next((w for w in windows if w is not None and descendants(w, "label", text)), None)


class InstalledZantor(ZantorCopy):
    """A copy installed into a temporary prefix, read-only once installed."""

    def __init__(self):
        self.folder = self.prefix = tempfile.mkdtemp(prefix="zantor-prefix-")
        self.process = None
        subprocess.run([CMAKE, "--install", BUILD_DIR, "--prefix", self.prefix], check=True, capture_output=True)
        set_writable(self.prefix, False)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def start_from_menu(self, env):
        """Starts the installed menu entry's command, found on the PATH as the menu would."""
        command = shlex.split(entry_values(self.path("share/applications/Zantor.desktop"))["Exec"])
        path = f"{self.path('bin')}:{os.environ['PATH']}"
        self.process = subprocess.Popen(command, cwd=env["HOME"], env={**os.environ, **env, "PATH": path})

    def stop(self):
        set_writable(self.prefix, True)
        super().stop()


class InstallTest(unittest.TestCase):
    def test_an_installed_copy_keeps_each_users_data_in_their_home(self):
        root = tempfile.mkdtemp(prefix="zantor-install-")
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        desktop = RecordingDesktop(root, types=("application/pdf",))
        zantor = InstalledZantor()
        self.addCleanup(zantor.stop)
        installed = tree_state(zantor.prefix)

        menu_entry = zantor.path("share/applications/Zantor.desktop")
        validate_entry(self, menu_entry)
        self.assertEqual(entry_values(menu_entry)["Exec"], "zantor")
        self.assertEqual(entry_values(menu_entry)["Icon"], "zantor")
        self.assertTrue(os.path.isfile(zantor.path("share/icons/hicolor/scalable/apps/zantor.svg")))

        zantor.start_from_menu(desktop.env)
        main_id, = wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")
        # The desktop files the window under the menu entry by its class.
        wm_class = subprocess.run(["xprop", "-id", main_id, "WM_CLASS"], capture_output=True, text=True).stdout
        self.assertIn(f'"{entry_values(menu_entry)["StartupWMClass"]}"', wm_class)
        main = zantor.window("Kelmar Zantor")
        find_one(main, "label", "0 grupos")
        user_databases = os.path.join(desktop.env["XDG_DATA_HOME"], "Zantor", "BD")
        self.assertEqual(sorted(name for name in os.listdir(user_databases) if name.endswith(".db")), DATABASES)
        with sqlite3.connect(os.path.join(user_databases, "ZT_Cats.db")) as categories:
            self.assertGreater(categories.execute("select count(*) from Tabela1").fetchone()[0], 0)
        xdotool("mousemove", "5", "5")
        screenshot("e2e-installed.png")

        # A menu shortcut made in the settings window starts the installed program.
        click(find_one(main, "push button", "Configurações"))
        settings = wait_for(lambda: page_with_label(zantor, "Configuração"), what="the settings window")
        click(find_one(settings, "check box", "Menu de aplicativos"))
        click(find_one(settings, "push button", "Adicionar atalho(s)"))
        wait_for(lambda: visible_windows("Zantor"), what="the shortcut report")
        xdotool("search", "--onlyvisible", "--name", "^Zantor$", "windowactivate", "--sync")
        xdotool("key", "Return")
        shortcut = os.path.join(desktop.env["XDG_DATA_HOME"], "applications", "Zantor.desktop")
        validate_entry(self, shortcut)
        self.assertEqual(entry_values(shortcut)["Exec"], zantor.path("bin/zantor"))
        self.assertEqual(entry_values(shortcut)["Icon"], zantor.path("share/zantor/IMG/shortcut-icon.svg"))
        self.assertTrue(os.path.isfile(entry_values(shortcut)["Icon"]))
        click(find_one(settings, "push button", "Atualizar"))
        wait_for(lambda: descendants(main, "label", "Configurações atualizadas com sucesso!"), what="the save")

        # The help page opens the installed documents.
        click(find_one(main, "push button", "Ajuda"))
        help_page = wait_for(lambda: page_with_label(zantor, "Ajuda"), what="the help page")
        click(find_one(help_page, "push button", "Abrir o ReadMe Informações e Considerações"))
        wait_for(desktop.logged, what="the document to open")
        self.assertEqual(desktop.logged(), [f"opened {zantor.path('share/zantor/ReadMe/' + HELP_DOCUMENT)}"])

        zantor.process.terminate()
        zantor.wait_exit()
        self.assertEqual(tree_state(zantor.prefix), installed)

    def test_a_first_start_through_a_linked_home_is_found_by_every_later_start(self):
        # /home a link to /var/home: the desktop starts Zantor through the link before its
        # data folder exists, a backup job through the real path.
        root = tempfile.mkdtemp(prefix="zantor-linked-")
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        real = RecordingDesktop(os.path.join(root, "var"))
        os.symlink(os.path.join(root, "var"), os.path.join(root, "linked"))
        linked = {name: value.replace(os.path.join(root, "var"), os.path.join(root, "linked"))
                  for name, value in real.env.items()}
        zantor = InstalledZantor()
        self.addCleanup(zantor.stop)
        zantor.start_from_menu(linked)
        main = zantor.window("Kelmar Zantor")
        find_one(main, "label", "0 grupos")

        backup = os.path.join(root, "grupos.json")
        with open(backup, "w", encoding="utf-8") as file:
            file.write('{"grupos": [{"titulo": "Do cron", "itens": [{"titulo": "a", "endereco": "/a"}]}]}')
        imported = subprocess.run([zantor.path("bin/zantor"), "--importar", backup], capture_output=True, text=True,
                                  env={**os.environ, **real.env}, timeout=60)
        self.assertEqual((imported.returncode, imported.stdout, imported.stderr), (0, "1 grupo importado.\n", ""))
        # The running copy wrote the group, and shows it.
        find_one(main, "label", "1 grupos")

    def test_the_debian_package_installs_into_usr_with_its_dependencies(self):
        out = tempfile.mkdtemp(prefix="zantor-package-")
        self.addCleanup(shutil.rmtree, out, ignore_errors=True)
        subprocess.run([CPACK, "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", out], check=True,
                       capture_output=True)
        package, = glob.glob(os.path.join(out, "zantor_*.deb"))

        listing = subprocess.run(["dpkg-deb", "--contents", package], capture_output=True, text=True,
                                 check=True).stdout.splitlines()
        files = {line.split()[-1]: line.split()[0] for line in listing}
        for expected in ["./usr/share/applications/Zantor.desktop",
                         "./usr/share/icons/hicolor/scalable/apps/zantor.svg",
                         "./usr/share/zantor/BD/ZT_Config.sql", "./usr/share/zantor/BD/ZT_Itens.sql",
                         "./usr/share/zantor/BD/ZT_Cats.sql", "./usr/share/zantor/IMG/shortcut-icon.svg",
                         "./usr/share/zantor/IMG/cat-diversos-24.svg",
                         f"./usr/share/zantor/ReadMe/{HELP_DOCUMENT}"]:
            self.assertIn(expected, files)
        self.assertEqual(files["./usr/bin/zantor"], "-rwxr-xr-x")
        # Nothing but the program's own files: no databases, and nothing outside /usr.
        self.assertEqual([name for name in files if name.endswith(".db") or not name.startswith("./usr/")], [])

        fields = dict(line.split(": ", 1) for line in subprocess.run(
            ["dpkg-deb", "--field", package, "Package", "Architecture", "Depends"], capture_output=True, text=True,
            check=True).stdout.splitlines())
        self.assertEqual(fields["Package"], "zantor")
        depends = {name.split()[0] for name in fields["Depends"].split(", ")}
        self.assertLessEqual({"libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6sql6",
                              "libqt6sql6-sqlite", "libqt6svg6", "xdg-utils"}, depends)
        # Removing the package runs nothing of ours, so every user's databases stay.
        control = subprocess.run(["dpkg-deb", "--info", package], capture_output=True, text=True, check=True).stdout
        self.assertFalse([script for script in ("preinst", "postinst", "prerm", "postrm") if script in control])


if __name__ == "__main__":
    unittest.main(verbosity=2)
