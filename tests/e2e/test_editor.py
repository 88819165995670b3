"""A new group made through the real editor: a file picked with the folder and file
pickers, a folder typed, a volume picked from the drive box, a file and a folder
dragged in from another program and a link dragged in from a browser. Saved, it shows
in the main list and opens every resource it names, the web page too."""
import os
import shutil
import sqlite3
import subprocess
import tempfile
import time
import unittest

import pyatspi

from zantor_e2e import (RecordingDesktop, ZantorCopy, click, click_into, descendants, find_one, is_showing,
                        is_under_pointer, screenshot, table_rows, visible_windows, wait_for, window_geometry, write,
                        xdotool)

UNIT = "\x1f"
# Documents, folders and web pages all go to the recorder.
WEB_TYPES = ("text/plain", "inode/directory", "x-scheme-handler/http", "x-scheme-handler/https")


def text_of(node):
    return node.queryText().getText(0, -1)


def mount_root(path):
    while not os.path.ismount(path):
        path = os.path.dirname(path)
    return path


def type_into(node, text):
    click_into(node)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "20", text)
    wait_for(lambda: text_of(node) == text, what=f"{text!r} typed")


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def click_settled(node):
    """Clicks a view's cell once the view has stopped moving: folders load and sort a
    moment after they are shown."""
    def still():
        before = extents(node)
        time.sleep(0.3)
        return extents(node) == before
    wait_for(still, what="the view to settle")
    click(node)


def cell_named(view, name):
    """The visible cell of a tree or list with this name."""
    for cell in descendants(view):
        if cell.name == name and cell.getRoleName() in ("table cell", "tree item", "list item"):
            return cell
    return None


class EditorTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-editor-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.desktop = RecordingDesktop(self.root, WEB_TYPES)
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        self.source = None
        self.addCleanup(self.stop_source)

    def stop_source(self):
        if self.source and self.source.poll() is None:
            self.source.terminate()
            self.source.wait(timeout=5)

    def window_where(self, holds, what):
        """The program's shown window for which `holds` is true."""
        def find():
            app = self.zantor.application()
            for i in range(app.childCount):
                window = app.getChildAtIndex(i)
                if window is not None and is_showing(window) and holds(window):
                    return window
            return None
        return wait_for(find, what=what)

    def editor(self, action):
        """The editor says what it is doing."""
        return self.window_where(lambda window: descendants(window, "label", action), f"the editor {action!r}")

    def close(self, window):
        """Clicks the close image, which takes the click once the pointer lights it."""
        box = find_one(window, "image", "Fechar").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2))
        wait_for(lambda: is_showing(find_one(window, "push button", "Fechar")), what="the close image to light")
        xdotool("click", "1")

    def drag(self, arguments, onto):
        """Drags what the stand-in file manager or browser is given (paths, or
        "--link", an address and a title) and drops it on `onto`."""
        answers = os.path.join(self.root, "drag-answers.log")
        with open(answers, "w") as log:
            self.source = subprocess.Popen([os.environ["ZANTOR_DRAG_SOURCE"], *arguments], stdout=log)
        # This source's own window, by its process: by its title alone, the window of
        # the source before could still be found while it goes away.
        source_id = wait_for(lambda: xdotool("search", "--all", "--onlyvisible", "--pid", str(self.source.pid),
                                             "--name", "^Origem do arrasto$"), what="the drag source")[0]
        xdotool("windowmove", source_id, "20", "20")
        extents = onto.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        target = (extents.x + extents.width // 2, extents.y + extents.height // 2)
        # The window manager may take more than one step to put the source there: aim at
        # where it stands until it stands still with the pointer on it, so that the
        # press reaches it and not whatever was there before.
        places = []

        def on_source():
            x, y, width, height = window_geometry(source_id)
            places.append((x + width // 2, y + height // 2))
            xdotool("mousemove", *map(str, places[-1]))
            return places[-2:] == places[-1:] * 2 and is_under_pointer(source_id)
        try:
            wait_for(on_source, what="the pointer on the drag source")
        except AssertionError as failure:
            # What stands there instead, for whoever reads the failure.
            raise AssertionError(f"{failure}: pointer {' '.join(xdotool('getmouselocation', '--shell'))}, "
                                 f"source {' '.join(xdotool('getwindowgeometry', source_id))}") from None
        start = places[-1]
        xdotool("mousedown", "1")
        # The drop protocol follows the pointer: move there in steps, as a hand would.
        for step in range(1, 11):
            xdotool("mousemove", "--sync", *(str(a + (b - a) * step // 10) for a, b in zip(start, target)))

        # A drag let go before the window under the pointer has said it takes it is
        # given up by the source: wait for that answer, as a hand waits for the cursor.
        def said():
            with open(answers, encoding="utf-8") as log:
                return log.read().split()
        try:
            wait_for(lambda: said()[-1:] == ["aceito"], what="the editor to accept the drag")
        except AssertionError as failure:
            raise AssertionError(f"{failure}: the source heard {said()}") from None
        xdotool("mouseup", "1")

    def test_a_group_made_in_the_editor_opens_its_resources(self):
        documents = os.path.join(self.desktop.home, "Documentos")
        note = os.path.join(documents, "nota.txt")
        dropped_file = os.path.join(self.root, "recebidos", "leia.txt")
        dropped_folder = os.path.join(self.root, "recebidos", "Fotos")
        write(note, "nota\n")
        write(dropped_file, "leia\n")
        os.makedirs(dropped_folder)
        page = "https://example.org/relatorio?mes=3"
        self.zantor.set_settings(tempo="500")
        self.zantor.start(self.desktop.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        main = self.zantor.window("Kelmar Zantor")
        click(find_one(main, "push button", "Inserir grupo"))
        editor = self.editor("Inserindo item")
        address = find_one(editor, "text", "Endereço")
        title = find_one(editor, "text", "Título do Item")
        add = find_one(editor, "push button", "Adicionar item")
        items = find_one(editor, "list", "Itens do grupo")

        # The folder view starts at the home folder: pick a folder, then a file in it.
        folders = find_one(editor, "tree", "Pastas")
        click_settled(wait_for(lambda: cell_named(folders, "Documentos"), what="the folder in the folder view"))
        wait_for(lambda: text_of(address) == documents, what="the folder's address")
        files = find_one(editor, "list", "Arquivos")
        click_settled(wait_for(lambda: cell_named(files, "nota.txt"), what="the file in the file view"))
        wait_for(lambda: text_of(address) == note, what="the file's address")
        type_into(title, "Nota")
        click(add)
        wait_for(lambda: len(descendants(items, "list item")) == 1, what="the first item")

        type_into(title, "Pasta")
        type_into(address, documents)
        click(add)

        # The drive box: the volume that holds the home folder gives its root.
        # A combo box is named by its text; the drive box says what it is in its tip.
        drives = [box for box in descendants(editor, "combo box") if box.description.strip() == "Unidades"]
        self.assertEqual(len(drives), 1)
        click(drives[0])
        xdotool("key", "Return")
        volume = mount_root(self.desktop.home)
        wait_for(lambda: text_of(address) == volume, what="the volume's root")
        type_into(title, "Unidade")
        click(add)
        wait_for(lambda: len(descendants(items, "list item")) == 3, what="three items")

        self.drag([dropped_file, dropped_folder], items)
        wait_for(lambda: len(descendants(items, "list item")) == 5, what="the dropped items")
        self.stop_source()
        # A link from a browser, named by the title it carries.
        self.drag(["--link", page, "Relatório, março"], items)
        wait_for(lambda: len(descendants(items, "list item")) == 6, what="the dropped link")
        self.assertEqual(descendants(items, "list item")[5].name, "Relatório - março")
        self.stop_source()

        type_into(find_one(editor, "text", "Título do Grupo"), "Estudo de domingo")
        xdotool("mousemove", "--sync", "5", "5")
        screenshot("e2e-editor-insert.png")
        click(find_one(editor, "push button", "Salvar Grupo"))

        groups = find_one(main, "tree", "Grupos")
        wait_for(lambda: table_rows(groups) == [[" Estudo de domingo",
                                                 "Nota, Pasta, Unidade, leia.txt, Fotos, Relatório - março"]],
                 what="the new group in the main list")
        with sqlite3.connect(self.zantor.database("ZT_Itens.db")) as db:
            stored = db.execute("select texto2, qtd, categoria, ordem from Tabela1").fetchall()
        self.assertEqual(stored, [(UNIT.join([note, documents, volume, dropped_file, dropped_folder, page]), "6", 10,
                                   1)])

        click_into(groups.queryTable().getAccessibleAt(0, 0), groups)
        xdotool("key", "Return")
        expected = [f"opened {path}" for path in (note, documents, volume, dropped_file, dropped_folder, page)]
        wait_for(lambda: len(self.desktop.logged()) >= len(expected), timeout=30, what="every resource to open")
        # Handed over in turn, but the desktop's opener takes longer for some kinds than
        # for others: the log's order is the opener's (the launcher's order is tested
        # where it can be seen).
        self.assertCountEqual(self.desktop.logged(), expected)

        # The same group in update mode, and its items in the viewer.
        click(find_one(main, "push button", "Alterar grupo"))
        editor = self.editor("Atualizando item")
        stored_items = find_one(editor, "list", "Itens do grupo")
        wait_for(lambda: len(descendants(stored_items, "list item")) == 6, what="the group's items in the editor")
        xdotool("mousemove", "--sync", "5", "5")
        screenshot("e2e-editor-update.png")
        self.close(editor)
        description = find_one(main, "text", "Itens do grupo")
        wait_for(lambda: is_showing(description), what="the main window back")
        extents = description.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", "--sync", str(extents.x + 20), str(extents.y + 8))
        xdotool("click", "--repeat", "2", "--delay", "80", "1")
        # The viewer's box lists the items the main window's box names.
        viewer = self.window_where(lambda window: any(text_of(box).startswith("1 - ")
                                                      for box in descendants(window, "text", "Itens do grupo")),
                                   "the items viewer")
        self.assertTrue(descendants(viewer, "label", "Estudo de domingo"))
        self.assertEqual(text_of(find_one(viewer, "text", "Itens do grupo")),
                         "\n\n".join(f"{k} - {title}\n{path}" for k, (title, path) in enumerate(
                             zip(["Nota", "Pasta", "Unidade", "leia.txt", "Fotos", "Relatório - março"],
                                 [note, documents, volume, dropped_file, dropped_folder, page]), start=1)))
        xdotool("mousemove", "--sync", "5", "5")
        screenshot("e2e-items-viewer.png")
        self.close(viewer)
        wait_for(lambda: not descendants(viewer), what="the viewer to close")


if __name__ == "__main__":
    unittest.main(verbosity=2)
