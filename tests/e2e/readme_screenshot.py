"""Takes the README's picture of the main window: a few groups, one of them chosen.

Usage: readme_screenshot.py BUILD_DIR OUTPUT.png (inside xsession.sh)."""
import os
import subprocess
import sys

os.environ["ZANTOR_BUILD_DIR"] = os.path.abspath(sys.argv[1])

from zantor_e2e import ZantorCopy, click, find_one, table_rows, visible_windows, wait_for, xdotool  # noqa: E402

GROUPS = [
    ("Manhã de trabalho", "Planilha de horas, Relatório semanal, Pasta do projeto", 1),
    ("Estudos de francês", "Apostila, Dicionário, Exercícios", 2),
    ("Música para concentrar", "Lista de reprodução, Player", 3),
    ("Edição de vídeo", "Editor, Pasta de cortes", 4),
    ("Sites do dia", "Navegador, Favoritos", 5),
    ("Contas da casa", "Planilha de gastos, Boletos", 6),
    ("Ferramentas", "Terminal, Editor de texto, Calculadora", 7),
    ("Fotos da viagem", "Pasta de fotos, Visualizador", 8),
]


def main():
    output = os.path.abspath(sys.argv[2])
    zantor = ZantorCopy()
    try:
        for title, items, category in GROUPS:
            count = len(items.split(", "))
            zantor.add_group(title, items, "\x1f".join(f"/tmp/{i}" for i in range(count)), categoria=category,
                             qtd=str(count), date="07/12/2026")
        zantor.start()
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        window = zantor.window("Kelmar Zantor")
        groups = find_one(window, "tree", "Grupos")
        wait_for(lambda: table_rows(groups), what="rows")
        click(groups.queryTable().getAccessibleAt(5, 0))
        wait_for(lambda: any(label.name == "Manhã de trabalho" for label in
                             [window.getChildAtIndex(i) for i in range(window.childCount)]), what="the details")
        xdotool("mousemove", "0", "0")
        window_id = visible_windows("Kelmar Zantor")[0]
        os.makedirs(os.path.dirname(output), exist_ok=True)
        subprocess.run(["import", "-window", window_id, output], check=True)
    finally:
        zantor.stop()


if __name__ == "__main__":
    main()
