"""Zantor from a terminal or a desktop shortcut: one running copy that later starts hand
their requests to, groups opened by title, export and import, and Esc stopping a run."""
import os
import shutil
import signal
import sqlite3
import tempfile
import time
import unittest

import pyatspi

from zantor_e2e import (RecordingDesktop, ZantorCopy, click_into, descendants, find_one, table_rows, tray_icons,
                        visible_windows, wait_for, write, xdotool)

UNIT = "\x1f"


def stored_rows(copy):
    with sqlite3.connect(copy.database("ZT_Itens.db")) as db:
        return db.execute("select titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem from Tabela1 "
                          "order by ordem, id").fetchall()


def file_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def active_window():
    return xdotool("getactivewindow")


class CommandLineTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-cli-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.desktop = RecordingDesktop(self.root)
        # A desktop session's own runtime folder, where the running copy can be found.
        runtime = os.path.join(self.root, "run")
        os.mkdir(runtime, 0o700)
        self.env = {**self.desktop.env, "XDG_RUNTIME_DIR": runtime}
        self.zantor = self.new_copy()

    def new_copy(self):
        copy = ZantorCopy()
        self.addCleanup(copy.stop)
        return copy

    def notes(self, *names):
        paths = []
        for name in names:
            paths.append(os.path.join(self.root, "recursos", name + ".txt"))
            write(paths[-1], name + "\n")
        return paths

    def test_a_second_start_brings_the_running_window_to_the_front(self):
        cases = [
            ("the main window, in the tray", "Kelmar Zantor", {"checkMini": "1", "iniMinimized": "1"}),
            ("the compact list, minimised", "MiniZantor", {"checkMini": "0", "iniMinimized": "0"}),
        ]
        for case, title, settings in cases:
            with self.subTest(case):
                copy = self.new_copy()
                copy.add_group("Aulas", "Caderno", "/tmp/a")
                copy.set_settings(**settings)
                copy.start(self.env)
                if settings["iniMinimized"] == "1":
                    wait_for(tray_icons, what="the tray icon")
                else:
                    window = wait_for(lambda: visible_windows(title), what=f"{title} to map")[0]
                    # Until the program has seen its new window mapped, it may still ask
                    # for it to be active, and the window manager brings a minimised one
                    # back for that: minimise it once the program knows it is active.
                    frame = copy.window(title)
                    wait_for(lambda: frame.getState().contains(pyatspi.STATE_ACTIVE), what=f"{title} active")
                    xdotool("windowminimize", "--sync", window)
                self.assertFalse(visible_windows(title))

                second = copy.run(env=self.env)
                self.assertEqual((second.returncode, second.stdout, second.stderr), (0, "", ""))
                window = wait_for(lambda: visible_windows(title), what=f"{title} in front")[0]
                wait_for(lambda: active_window() == [window], what=f"{title} to be the active window")
                self.assertEqual(copy.processes(), [copy.process.pid])
                copy.stop()

    def test_a_copy_asked_to_end_leaves_no_lock_behind(self):
        # A logout or a kill asks with SIGTERM, a closed terminal with SIGHUP, Ctrl+C with SIGINT.
        runtime = os.path.join(self.env["XDG_RUNTIME_DIR"], "zantor")
        for request in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(request.name):
                copy = self.new_copy()
                copy.start(self.env)
                wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
                lock = copy.database(".zantor.lock")
                socket_path = wait_for(lambda: file_bytes(lock).decode().rstrip("\n"), what="the address in the lock")
                self.assertEqual(os.listdir(runtime), [os.path.basename(socket_path)])
                copy.process.send_signal(request)
                self.assertEqual(copy.wait_exit(), 0)
                self.assertEqual(os.listdir(runtime), [])
                self.assertEqual(file_bytes(lock), b"")

    def start_with_a_missing_item_reported(self):
        """A running copy whose run of the group "Falta" left its "Erro" report on screen."""
        self.zantor.add_group("Falta", "Sumido", "/nao/existe")
        self.zantor.set_settings(tempo="500")
        self.zantor.start(self.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        self.assertEqual(self.zantor.run("--abrir", "Falta", env=self.env).returncode, 0)
        wait_for(lambda: visible_windows("Erro"), what="the report of the missing item")

    def test_every_start_finds_the_running_copy_whatever_its_environment(self):
        # cron, su, sudo -u and ssh start without the desktop session's runtime folder.
        self.zantor.start(self.env)
        window = self.zantor.window("Kelmar Zantor")
        find_one(window, "label", "0 grupos")
        backup = os.path.join(self.root, "grupos.json")
        write(backup, '{"grupos": [{"titulo": "Do cron", "itens": [{"titulo": "a", "endereco": "/a"}]}]}')
        imported = self.zantor.run("--importar", backup, env=self.env, unset=("XDG_RUNTIME_DIR",))
        self.assertEqual((imported.returncode, imported.stdout, imported.stderr), (0, "1 grupo importado.\n", ""))
        # The running copy wrote the group, and shows it.
        find_one(window, "label", "1 grupos")
        self.assertEqual(self.zantor.processes(), [self.zantor.process.pid])

    def test_a_copy_asked_to_end_ends_whatever_box_is_up(self):
        # The run's report has no button that closes it as Esc would: it refused to close,
        # and the request to end was lost with it.
        self.start_with_a_missing_item_reported()
        self.zantor.process.send_signal(signal.SIGTERM)
        self.assertEqual(self.zantor.wait_exit(), 0)

    def test_groups_open_by_title_through_a_fresh_copy_and_the_running_one(self):
        planilha, relatorio, cancao = self.notes("planilha", "relatório", "canção")
        self.zantor.add_group("Trabalho", "Planilha, Relatório", UNIT.join([planilha, " " + relatorio]))
        self.zantor.add_group("Música", "Canção", cancao)
        self.zantor.set_settings(tempo="500")

        # No copy runs: this one starts, as the settings say, and opens both as one run.
        self.zantor.start(self.env, args=["--abrir", "trabalho", "--abrir", "MUSICA"])
        opened = [f"opened {path}" for path in (planilha, relatorio, cancao)]
        wait_for(lambda: self.desktop.logged() == opened, timeout=30, what="both groups to open in order")
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")

        asked = self.zantor.run("--abrir", " música ", env=self.env)
        self.assertEqual((asked.returncode, asked.stderr), (0, ""))
        wait_for(lambda: len(self.desktop.logged()) == 4, timeout=30, what="the running copy to open it")
        self.assertEqual(self.desktop.logged()[3], f"opened {cancao}")
        self.assertEqual(self.zantor.processes(), [self.zantor.process.pid])

    def test_a_message_on_screen_holds_up_no_request(self):
        self.start_with_a_missing_item_reported()
        # The box waits for the user; the running copy answers all the same.
        for args, told in ((["--abrir", "Falta"], 'Recurso(s) não encontrado(s):\n- /nao/existe (grupo "Falta"'),
                           ([], "")):
            asked = self.zantor.run(*args, env=self.env)
            self.assertEqual(asked.returncode, 0)
            self.assertTrue(asked.stderr.startswith(told), asked.stderr)
        wait_for(lambda: len(visible_windows("Erro")) == 2, what="the second report")

    def test_a_title_that_names_no_group_or_several_opens_nothing(self):
        self.zantor.add_group("Ação", "Nota", "/tmp/a")
        self.zantor.add_group("acao", "Lista", "/tmp/b")
        cases = [(["--abrir", "ACAO"], 4, 'Mais de um grupo se chama "ACAO":\n  acao (Lista)\n  Ação (Nota)\n'),
                 (["--abrir", "Ação", "--abrir", "caça"], 3, 'Nenhum grupo se chama "caça".\n')]
        for running in (False, True):
            if running:
                self.zantor.start(self.env)
                wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
            for args, status, errors in cases:
                with self.subTest(running=running, args=args):
                    result = self.zantor.run(*args, env=self.env)
                    self.assertEqual(result.returncode, status)
                    self.assertTrue(result.stderr.startswith(errors), result.stderr)
            # Without a copy running, none started for the bad titles.
            self.assertEqual(len(self.zantor.processes()), 1 if running else 0)
        self.assertEqual(self.desktop.logged(), [])

    def test_export_then_import_into_an_empty_running_copy(self):
        self.zantor.add_group("d'Ávila\\tnotas", "Aula's, Pasta", "/home/ana/\\trabalho" + UNIT + "/srv/Música",
                              categoria=3, ordem=2, qtd="2", date="01/02/2025")
        self.zantor.add_group("Sem categoria", "x", "/x", categoria=0, ordem=0)
        self.zantor.add_group("Último", "y", "/y", categoria=10, ordem=2)
        backup = os.path.join(self.root, "grupos.json")
        exported = self.zantor.run("--exportar", backup, env=self.env)
        self.assertEqual((exported.returncode, exported.stdout), (0, f'3 grupos exportados para "{backup}".\n'))

        copy = self.new_copy()
        copy.start(self.env)
        window = copy.window("Kelmar Zantor")
        imported = copy.run("--importar", backup, env=self.env)
        self.assertEqual((imported.returncode, imported.stdout, imported.stderr), (0, "3 grupos importados.\n", ""))
        # The same groups in the same order, in places numbered afresh.
        self.assertEqual([row[:-1] for row in stored_rows(copy)], [row[:-1] for row in stored_rows(self.zantor)])
        # The running copy wrote them and shows them at once.
        groups = find_one(window, "tree", "Grupos")
        wait_for(lambda: len(table_rows(groups)) == 3, what="the imported groups in the list")
        find_one(window, "label", "3 grupos")

        bad = os.path.join(self.root, "ruim.json")
        write(bad, '{"grupos": [{"titulo": "Bom", "itens": [{"titulo": "a", "endereco": "/a"}]},\n'
                   '            {"titulo": "Ruim", "itens": [{"titulo": "a", "endereco": "/a\\u0007"}]}]}')
        before = file_bytes(copy.database("ZT_Itens.db"))
        refused = copy.run("--importar", bad, env=self.env)
        self.assertEqual(refused.returncode, 65)
        self.assertEqual(refused.stderr, 'Campo "endereco" do item 1 do grupo 2 ("Ruim"): não pode conter quebras '
                                         "de linha nem outros caracteres de controle.\nNenhum grupo foi importado.\n")
        self.assertEqual(file_bytes(copy.database("ZT_Itens.db")), before)

    def test_esc_stops_a_run_partway(self):
        delay_ms = 2000
        # Programs, which Zantor starts itself: each says so the moment it is handed over,
        # where a document would first wait on the desktop's opener.
        programs = []
        for name in ("um", "dois", "três"):
            programs.append(os.path.join(self.root, "programas", name))
            write(programs[-1], f"#!/bin/sh\nprintf 'opened %s\\n' \"$0\" >> '{self.desktop.log}'\n", 0o755)
        self.zantor.add_group("Três programas", "Um, Dois, Três", UNIT.join(programs))
        self.zantor.set_settings(tempo=str(delay_ms))
        self.zantor.start(self.env)
        window = self.zantor.window("Kelmar Zantor")
        groups = find_one(window, "tree", "Grupos")
        wait_for(lambda: table_rows(groups), what="rows in the group list")
        click_into(groups.queryTable().getAccessibleAt(0, 0), groups)
        xdotool("key", "Return")
        wait_for(lambda: self.desktop.logged(), timeout=15, what="the first program to start")
        xdotool("key", "Escape")
        wait_for(lambda: descendants(window, "label", "Abertura cancelada."), what="the status line")
        # Nothing can be waited on for what must not happen: give the rest of the queue the
        # time it would have taken.
        time.sleep(2 * delay_ms / 1000)
        self.assertEqual(self.desktop.logged(), [f"opened {programs[0]}"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
