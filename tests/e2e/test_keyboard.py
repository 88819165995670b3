"""Every window of Zantor by keyboard alone, on a real desktop: Tab and Shift+Tab go
through each window's controls in reading order, each focus change is announced over
the accessibility bus with the control's name, Space and Enter press the focused
command, and Esc closes a page or a dialog."""
import os
import sqlite3
import unittest

import pyatspi
from gi.repository import GLib

from zantor_e2e import ZantorCopy, descendants, find_one, is_showing, screenshot, visible_windows, wait_for, xdotool

TITLE_BAR = ["Minimizar", "Minimizar para o Tray", "Fechar"]


class FocusAnnouncements:
    """What the program announces as focused over the accessibility bus, in order."""

    def __init__(self, pid):
        self.pid = pid
        self.heard = []
        pyatspi.Registry.registerEventListener(self.listen, "object:state-changed:focused")

    def stop(self):
        pyatspi.Registry.deregisterEventListener(self.listen, "object:state-changed:focused")

    def listen(self, event):
        try:
            if event.detail1 == 1 and event.source.get_process_id() == self.pid:
                self.heard.append(event.source.name)
        except GLib.GError:
            pass

    def next(self, keys):
        """Presses `keys` and returns the name of the control announced next."""
        before = len(self.heard)
        xdotool("key", keys)
        context = GLib.MainContext.default()

        def announced():
            while context.iteration(False):
                pass
            return len(self.heard) > before and self.heard[-1]
        return wait_for(announced, what=f"a focus announcement after {keys}")

    def reaches(self, keys, name):
        """Presses `keys` and waits until `name` is announced, whatever comes before it
        (a list announces its current row as it fills)."""
        before = len(self.heard)
        xdotool("key", keys)
        context = GLib.MainContext.default()

        def announced():
            while context.iteration(False):
                pass
            return name in self.heard[before:]
        return wait_for(announced, what=f"{name!r} to have the keys after {keys}")


# Each window's controls from the one that has the keys when it opens, Tab after Tab, round
# to that one again. A box of choices is announced by its value, as Qt does on Linux
# (its caption is its label): None stands for it. Of a set of choices, Tab visits the
# chosen one; the arrows move among them.
MAIN = ["Minimizar para o tray ao abrir recursos", "Itens do grupo", *TITLE_BAR, "Inserir grupo", "Alterar grupo",
        "Excluir grupo", "Abrir o MiniZantor", "Gravar posição", "Configurações", "Ajuda", "Sobre o Zantor",
        "Grupos"]
EDITOR = [None, "Título do Item", "Adicionar item", "Deletar item", None, "Aplicativos…", "Endereço", "Pastas", "Itens do grupo",
          "Arquivos", "Endereço do item", "Salvar Grupo", *TITLE_BAR, "Título do Grupo"]
SETTINGS = ["Grupos", "Itens mostrados na lista", "MiniZantor", "Zantor", "105 px largura", "Desktop",
            "Adicionar atalho(s)", "Menu de aplicativos", "Deletar atalho(s)", "Iniciar com a sessão",
            "Refazer atalhos", "Não", "Intervalo de execução entre cada recurso",
            "Minimizar para o tray ao abrir recursos", "Atualizar", *TITLE_BAR, "Alfabética"]
HELP = ["Abrir o ReadMe Licença de Utilização", "Abrir o ReadMe Características e Versão", *TITLE_BAR,
        "Abrir o ReadMe Informações e Considerações"]
ABOUT = [*TITLE_BAR, "Visitar a página do autor"]
VIEWER = ["Fechar", "Itens do grupo"]
CONFIRMATION = ["Não", "Sim"]
COMPACT = ["Digitar nova quantidade", "Gravar posição", "Manter na frente", "Minimizar para o Tray",
           "Fechar MiniZantor", "Grupos"]
MISSING = ["Remover do grupo Perdido", *TITLE_BAR, "Procurar… Perdido"]


class KeyboardTest(unittest.TestCase):
    def setUp(self):
        self.zantor = ZantorCopy()
        self.addCleanup(self.zantor.stop)
        self.zantor.set_settings(checkMinimize="0")
        folder = os.path.join(self.zantor.folder, "docs")
        os.makedirs(folder)
        self.zantor.add_group("Alfa", "Nota", os.path.join(folder, "nota.txt"))
        self.zantor.add_group("Beta", "Perdido", os.path.join(folder, "sumiu", "perdido.txt"))
        self.zantor.start()
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        self.main = self.zantor.window("Kelmar Zantor")
        self.focus = FocusAnnouncements(self.zantor.process.pid)
        self.addCleanup(self.focus.stop)
        wait_for(lambda: find_one(self.main, "tree", "Grupos").getState().contains(pyatspi.STATE_FOCUSED),
                 what="the list to have the keys")

    def assertWalk(self, expected, keys="Tab"):
        walked = [self.focus.next(keys) for _ in expected]
        self.assertEqual([None if want is None else got for want, got in zip(expected, walked)], expected)

    def tab_to(self, name):
        for _ in range(len(MAIN) + 1):
            if self.focus.next("Tab") == name:
                return
        self.fail(f"Tab never reached {name!r}")

    def test_main_window_keeps_its_data_on_esc_and_opens_its_menus_by_keys(self):
        self.assertWalk(MAIN)
        self.assertWalk(["Sobre o Zantor", "Ajuda"], "shift+Tab")
        screenshot("e2e-keyboard-focused-image-button.png")
        xdotool("key", "Escape")
        self.tab_to("Grupos")
        self.assertEqual(self.focus.next("Down"), " Beta")
        find_one(self.main, "label", "Beta")
        # The group's menu is a window of its own on the screen while it is open.
        shown = len(xdotool("search", "--onlyvisible", "--class", "Zantor"))
        xdotool("key", "shift+F10")
        wait_for(lambda: len(xdotool("search", "--onlyvisible", "--class", "Zantor")) == shown + 1,
                 what="the group's menu")
        xdotool("key", "Escape")
        wait_for(lambda: len(xdotool("search", "--onlyvisible", "--class", "Zantor")) == shown,
                 what="the menu to close")
        self.assertTrue(is_showing(self.zantor.window("Kelmar Zantor")))

    def test_pages_by_their_shortcuts(self):
        for keys, expected in (("ctrl+n", EDITOR), ("ctrl+comma", SETTINGS), ("F1", HELP)):
            with self.subTest(keys):
                # The page opens with the keys at the last of its walk.
                self.focus.reaches(keys, expected[-1])
                self.assertWalk(expected)
                # The keys go back to the main window's list.
                self.focus.reaches("Escape", "Grupos")

    def test_about_page_items_viewer_and_delete_confirmation(self):
        self.tab_to("Sobre o Zantor")
        self.focus.reaches("space", ABOUT[-1])
        self.assertWalk(ABOUT)
        self.focus.reaches("Escape", "Sobre o Zantor")

        self.tab_to("Grupos")
        self.assertEqual(self.focus.next("Down"), " Beta")
        self.tab_to("Itens do grupo")
        self.focus.reaches("Return", VIEWER[-1])
        self.assertWalk(VIEWER)
        self.focus.reaches("Escape", "Itens do grupo")

        self.focus.reaches("Delete", "Sim")
        self.assertWalk(CONFIRMATION)
        # Esc answers nothing: the group stays.
        self.focus.reaches("Escape", "Itens do grupo")
        with sqlite3.connect(self.zantor.database("ZT_Itens.db")) as db:
            self.assertEqual(db.execute("select count(*) from Tabela1").fetchone(), (2,))

    def test_compact_list(self):
        self.tab_to("Abrir o MiniZantor")
        self.focus.reaches("Return", COMPACT[-1])
        self.assertWalk(COMPACT)
        self.tab_to("Fechar MiniZantor")
        self.focus.reaches("Return", "Abrir o MiniZantor")

    def test_missing_items_and_their_chooser_in_portuguese(self):
        self.tab_to("Grupos")
        self.focus.next("End")
        xdotool("key", "Return")
        offer = wait_for(lambda: [b for b in descendants(self.zantor.application(), "push button", "Corrigir itens…")
                                  if is_showing(b)], what="the report")[0]
        box = offer.parent
        wait_for(lambda: any(b.getState().contains(pyatspi.STATE_FOCUSED) for b in descendants(box, "push button")),
                 what="the report to have the keys")
        for _ in range(4):
            if offer.getState().contains(pyatspi.STATE_FOCUSED):
                break
            self.focus.next("Tab")
        self.focus.reaches("space", MISSING[-1])
        self.assertWalk(MISSING)
        xdotool("key", "space")
        chooser = self.zantor.window('Onde está "Perdido"?')
        wait_for(lambda: descendants(chooser, "push button", "Abrir"), what="the chooser's buttons")
        self.assertTrue(descendants(chooser, "push button", "Cancelar"))
        self.assertTrue(descendants(chooser, "label", "Nome do arquivo:"))
        screenshot("e2e-chooser-in-portuguese.png")
        self.focus.reaches("Escape", "Procurar… Perdido")
        xdotool("key", "Escape")
        wait_for(lambda: not visible_windows("Itens não encontrados"), what="the window to close")


if __name__ == "__main__":
    unittest.main(verbosity=2)
