"""Opening groups through the real program: documents and folders go to the desktop's
default application, programs start in their own folder, and what is missing is
reported once at the end."""
import os
import shutil
import sqlite3
import stat
import tempfile
import unittest

import pyatspi

from zantor_e2e import (RecordingDesktop, ZantorCopy, click, click_into, descendants, find_one, screenshot, table_rows,
                        visible_windows, wait_for, write, xdotool)

UNIT = "\x1f"
REPORT_HEADING = "Recurso(s) não encontrado(s): \r\n"


def double_click(node):
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2))
    xdotool("click", "--repeat", "2", "--delay", "80", "1")


class LaunchTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-launch-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.desktop = RecordingDesktop(self.root, ("text/plain", "inode/directory", "x-scheme-handler/https"))
        self.log = self.desktop.log
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)

    def logged(self):
        return self.desktop.logged()

    def group_list(self):
        groups = find_one(self.zantor.window("Kelmar Zantor"), "tree", "Grupos")
        wait_for(lambda: table_rows(groups), what="rows in the group list")
        return groups

    def open_first_group(self):
        """Picks the first group in the list and opens it with the keyboard."""
        groups = self.group_list()
        click_into(groups.queryTable().getAccessibleAt(0, 0), groups)
        xdotool("key", "Return")

    def test_resources_open_in_order_and_the_missing_are_reported(self):
        resources = os.path.join(self.root, "recursos")
        note = os.path.join(resources, "nota de aula.txt")
        folder = os.path.join(resources, "Pasta Música")
        tools = os.path.join(resources, "ferramentas")
        program = os.path.join(tools, "tarefa.sh")
        missing = os.path.join(resources, "sumiu.txt")
        # A document that merely carries the execute bit cannot start: it opens as one.
        document = os.path.join(resources, "leia-me.txt")
        write(note, "aula\n")
        os.makedirs(folder)
        write(program, f"#!/bin/sh\nprintf 'ran in %s\\n' \"$(pwd)\" >> '{self.log}'\n", 0o755)
        write(document, "leia\n", 0o755)
        self.assertTrue(os.stat(document).st_mode & stat.S_IXUSR)

        self.zantor.add_group("Estudo", "Nota, Pasta, Tarefa, Sumiu, Leia",
                              UNIT.join([note, folder, " " + program + " ", missing, document]))
        self.zantor.add_group("Revisão", "Nota", note)
        self.zantor.set_settings(tempo="1000")
        self.zantor.start(self.desktop.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")

        self.open_first_group()
        expected = [f"opened {note}", f"opened {folder}", f"ran in {tools}", f"opened {document}"]
        wait_for(lambda: len(self.logged()) >= len(expected), timeout=30, what="every resource to open")

        box = self.zantor.window("Erro", timeout=15)
        texts = [label.name for label in descendants(box, "label") if label.name.startswith("Recurso")]
        self.assertEqual(texts, [f"{REPORT_HEADING}- {missing}\r\n"])
        self.assertEqual(self.logged(), expected)
        wait_for(lambda: visible_windows("Erro"), what="the report to map")
        # Typed into the focused box, press and release alike. Chained to the box's window,
        # the release can miss once the box is gone, and the server then keeps repeating
        # Return into the main window, which reopens the group at every repeat.
        xdotool("search", "--onlyvisible", "--name", "^Erro$", "windowactivate", "--sync")
        xdotool("key", "Return")
        wait_for(lambda: not visible_windows("Erro"), what="the report to close")

        # A double-click opens the group under the pointer just the same.
        double_click(self.group_list().queryTable().getAccessibleAt(1, 0))
        wait_for(lambda: len(self.logged()) > len(expected), timeout=15, what="the second group to open")
        self.assertEqual(self.logged()[len(expected):], [f"opened {note}"])
        self.assertFalse(visible_windows("Erro"))


    def test_a_web_page_opens_with_the_files_and_only_the_missing_file_is_reported(self):
        note = os.path.join(self.root, "recursos", "planilha.txt")
        folder = os.path.join(self.root, "recursos", "Projeto")
        missing = os.path.join(self.root, "recursos", "movido.txt")
        page = "https://example.org/correio?caixa=entrada"
        write(note, "horas\n")
        os.makedirs(folder)
        self.zantor.add_group("Manhã", "Correio, Planilha, Movido, Projeto", UNIT.join([page, note, missing, folder]))
        self.zantor.set_settings(tempo="500")
        self.zantor.start(self.desktop.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window to map")

        self.open_first_group()
        expected = [f"opened {page}", f"opened {note}", f"opened {folder}"]
        wait_for(lambda: len(self.logged()) >= len(expected), timeout=30, what="the page, the file and the folder")
        box = self.zantor.window("Erro", timeout=15)
        texts = [label.name for label in descendants(box, "label") if label.name.startswith("Recurso")]
        self.assertEqual(texts, [f"{REPORT_HEADING}- {missing}\r\n"])
        self.assertEqual(self.logged(), expected)

        # From a terminal, the same run tells what it missed and where, once it has ended.
        asked = self.zantor.run("--abrir", "manhã", env=self.desktop.env)
        self.assertEqual(asked.returncode, 0)
        self.assertIn(f'- {missing} (grupo "Manhã", item "Movido")\n', asked.stderr)

        # Each report offers the fix; the item goes out of its group without the editor.
        app = self.zantor.application()
        reports = wait_for(lambda: [window for window in map(app.getChildAtIndex, range(app.childCount))
                                    if window.name == "Erro"][1:], what="the second report")
        click(find_one(reports[0], "push button", "Corrigir itens…"))
        fix = self.zantor.window("Itens não encontrados")
        wait_for(lambda: visible_windows("Itens não encontrados"), what="the fix window to map")
        find_one(fix, "label", missing)
        screenshot("e2e-missing-items.png")
        click(find_one(fix, "push button", "Remover do grupo Movido"))
        wait_for(lambda: descendants(fix, "label", "Removido do grupo"), what="the row to say so")
        with sqlite3.connect(self.zantor.database("ZT_Itens.db")) as db:
            self.assertEqual(db.execute("select texto1, texto2, qtd from Tabela1").fetchone(),
                             ("Correio, Planilha, Projeto", UNIT.join([page, note, folder]), "3"))

    def test_an_application_and_a_program_start_with_exactly_their_arguments(self):
        """An application's entry (installed for the user only), a program and a document,
        each started once, in order: the entry with its arguments as the files its Exec
        takes, the program with its own words, untouched by any shell."""
        applications = os.path.join(self.desktop.env["XDG_DATA_HOME"], "applications")
        recorder = os.path.join(self.root, "bin", "registra-argv")
        write(recorder, f"#!/bin/sh\nprintf '%s' \"$(basename \"$0\")\" >> '{self.log}'\n"
                        f"printf ' [%s]' \"$@\" >> '{self.log}'\nprintf '\\n' >> '{self.log}'\n", 0o755)
        entry = os.path.join(applications, "zantor-e2e-editor.desktop")
        write(entry, "[Desktop Entry]\nType=Application\nName=Editor\nName[pt_BR]=Editor de projetos\n"
                     f"Exec={recorder} --projeto %F\n")
        tools = os.path.join(self.root, "ferramentas")
        program = os.path.join(tools, "tarefa com espaço.sh")
        write(program, f"#!/bin/sh\nprintf 'tarefa em %s' \"$(pwd)\" >> '{self.log}'\n"
                       f"printf ' [%s]' \"$@\" >> '{self.log}'\nprintf '\\n' >> '{self.log}'\n", 0o755)
        note = os.path.join(self.root, "nota.txt")
        write(note, "nota\n")

        group = self.zantor.add_group("Programas", "Editor, Tarefa, Nota", UNIT.join([entry, program, note]),
                                      qtd="3")
        with sqlite3.connect(self.zantor.database("ZT_Itens.db")) as db:
            db.execute("update Tabela1 set texto3=? where id=?",
                       (UNIT.join(["'Meu projeto' /tmp/b.txt", "-v \"a  b\" $HOME ~ *", ""]), group))
        self.zantor.set_settings(tempo="500")
        self.zantor.start(self.desktop.env, args=["--abrir", "Programas"])

        expected = [f"registra-argv [--projeto] [{self.desktop.home}/Meu projeto] [/tmp/b.txt]",
                    f"tarefa em {tools} [-v] [a  b] [$HOME] [~] [*]",
                    f"opened {note}"]
        wait_for(lambda: len(self.logged()) >= len(expected), timeout=30, what="the three items to start")
        self.assertEqual(self.logged(), expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
