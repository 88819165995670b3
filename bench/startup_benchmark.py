#!/usr/bin/python3
"""How fast Zantor puts its main window on the screen, and how much memory that takes,
with 0, 1,000, 10,000 and 100,000 stored groups.

Zantor with N groups is compared with the same build with none, and with a screenful:
the same build with 32 groups, as many as its first reading takes, which paints a full
screen of rows (titles, item texts, category pictures) where a window with none stays
blank. The first window needs only the rows it shows, so beyond a screenful the number
of groups should not show in its time. Every
figure is also compared with bare_window, a Qt program that shows a frameless window
of the same size with a label and a two-column list of 20 rows from an in-memory model:
what any window with text and a list costs anyway is the floor, and only what Zantor
adds on top of it is its own. Both run in turns under one private Xvfb, so that a slow
moment of the machine hits both alike.

A run's time goes from just before the program is started to the first picture the
program draws into its top-level window once the X server has mapped it: a mapped
window is still blank, and what a program defers until after the mapping (its fonts,
its pictures, its rows) is paid before the user sees anything. The time to the mapping
is printed too. A run's memory is the peak resident size the kernel noted once the
window has been drawn and, for Zantor, the rest of its list has been read; bare_window
is given a moment more.

While the rest of the list is read, Zantor itself notes the longest time its event loop
went without turning (the longest a click or a key would have waited): it writes it to
the file named by ZANTOR_PAUSE_PROBE once every row shows.

The exit status is 0 whether or not the goals are met: this measures, it does not
judge. It is non-zero only when something could not be measured at all.

Usage: startup_benchmark.py [--build-dir build] [--runs 9] [--groups 0,1000,10000,100000]
"""
import argparse
import os
import random
import select
import shutil
import signal
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay, error as xerror
from Xlib.ext import damage

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The size of Zantor's main window, which bare_window copies: a mapped window of any
# other size is not the one being timed.
WINDOW_SIZE = (440, 457)
SCREEN = "1366x768x24"
# As many groups as Zantor reads before its first picture: a window with this many has
# every row of its first screen to paint and nothing left to read.
SCREENFUL = 32

# (what, at how many groups, which figure, the most it may be, its unit).
GOALS = [
    ("first window with 1,000 groups / bare window", 1000, "time", 1.2, "x"),
    ("first window with 10,000 groups / bare window", 10000, "time", 1.5, "x"),
    ("peak memory with 1,000 groups / bare window", 1000, "memory", 1.3, "x"),
    # Mapped, before any row is painted: a window with none has none to paint.
    ("first window mapped with 10,000 groups / none", 10000, "mapped_vs_none", 1.05, "x"),
    ("first window mapped with 100,000 groups / none", 100000, "mapped_vs_none", 1.10, "x"),
    ("first picture with 10,000 groups / a screenful", 10000, "vs_screen", 1.05, "x"),
    ("first picture with 100,000 groups / a screenful", 100000, "vs_screen", 1.10, "x"),
    ("longest event-loop pause while 100,000 groups are read", 100000, "pause_ms", 50, " ms"),
    ("peak memory with 100,000 groups", 100000, "megabytes", 80, " MB"),
]


class CannotMeasure(Exception):
    """Something the figures depend on did not happen; no figure would be honest."""


# Titles a Brazilian user might give their groups. Accents, lower-case starts,
# numbers and punctuation are all there so that the alphabetical order has to fold
# case and accents for real, as it does for a real list.
HEADS = ["Manhã", "Relatórios", "Área", "Configuração", "música", "Vídeos", "Ônibus", "açaí", "Éticas",
         "estudos", "Trabalho", "Óculos", "Índice", "Jogos", "Fotografias", "planilhas", "Educação", "Férias",
         "Viagem", "Reunião", "Projeto", "Orçamento", "Coleção", "cinema", "Leitura", "Álbum", "Notícias",
         "Ferramentas", "Contabilidade", "Saúde", "exercícios", "Receitas", "Finanças", "Programação",
         "Escritório", "Aulas", "Pesquisa", "Cópias", "Downloads", "Documentos", "imagens", "Histórico",
         "Clientes", "Fornecedores", "Produção", "Tradução", "Revisão", "Câmera", "Edição", "Publicação",
         "Zona", "Ângulos", "Útil", "Érica", "Íris", "Ópera", "Ética", "Ação", "ANOTAÇÕES", "Bíblia"]
LINKS = ["de", "da", "do", "das", "dos", "e", "para", "com", "sem", "na", "no"]
TAILS = ["trabalho", "Estudos", "Família", "inglês", "Matemática", "Física", "Português", "Química",
         "História", "Geografia", "Música", "Arte", "Rádio", "sábado", "Domingo", "segunda-feira", "Março",
         "Junho", "Dezembro", "São Paulo", "Belém", "Brasília", "Goiânia", "Maceió", "Florianópolis",
         "João", "Conceição", "Antônio", "Luís", "Márcia", "casa", "Escola", "Faculdade", "pós-graduação",
         "Igreja", "Clube", "Condomínio", "Cartório", "Hospital", "Prefeitura"]
SUFFIXES = ["", "", "", "", " 2019", " 2023", " (cópia)", " – parte 2", " nº 3", " - antigo", " II", " final",
            " / revisão", " 1º semestre"]
ITEM_NAMES = ["Relatório", "Planilha", "Apresentação", "Contrato", "Currículo", "Fatura", "Foto", "Vídeo",
              "Música", "Anotações", "Orçamento", "Recibo", "Declaração", "Certidão", "Lição", "Prova",
              "Exercício", "Receita", "Roteiro", "Mapa"]
EXTENSIONS = [".pdf", ".odt", ".ods", ".xlsx", ".docx", ".jpg", ".png", ".mp3", ".mp4", ".txt", ""]
FOLDERS = ["Documentos", "Imagens", "Música", "Vídeos", "Área de Trabalho", "Downloads", "Público"]


def group_title(rng):
    words = [rng.choice(HEADS)]
    if rng.random() < 0.8:
        words += [rng.choice(LINKS), rng.choice(TAILS)]
    title = " ".join(words) + rng.choice(SUFFIXES)
    shape = rng.random()
    if shape < 0.1:
        title = title.lower()
    elif shape < 0.15:
        title = title.upper()
    return title


def group_row(rng, ordem):
    titles, paths = [], []
    for _ in range(rng.randint(1, 12)):
        name = f"{rng.choice(ITEM_NAMES)} {rng.choice(TAILS)} {rng.randint(1, 99)}{rng.choice(EXTENSIONS)}"
        titles.append(name)
        paths.append(f"/home/usuario/{rng.choice(FOLDERS)}/{rng.choice(HEADS)}/{name}")
    date = f"{rng.randint(1, 28):02d}/{rng.randint(1, 12):02d}/{rng.randint(2015, 2026)}"
    return (group_title(rng), ", ".join(titles), chr(31).join(paths), str(len(titles)), date,
            rng.randint(1, 10), ordem)


def make_app_folder(parent, groups, build_dir):
    """An app folder like the one beside the executable, its databases made up front
    so that no run pays for a first start, with `groups` groups stored."""
    folder = os.path.join(parent, f"zantor-{groups}")
    os.makedirs(os.path.join(folder, "BD"))
    # Both programs run from copies in the same folder, so that neither is favoured by
    # where its binary lies or whether it is in the page cache.
    shutil.copy2(os.path.join(build_dir, "Zantor"), folder)
    shutil.copy2(os.path.join(build_dir, "bench", "bare_window"), folder)
    shutil.copytree(os.path.join(REPO, "IMG"), os.path.join(folder, "IMG"))
    for name in ("ZT_Config", "ZT_Itens", "ZT_Cats"):
        seed_path = os.path.join(REPO, "BD", name + ".sql")
        shutil.copy2(seed_path, os.path.join(folder, "BD"))
        with open(seed_path, encoding="utf-8") as seed, \
                sqlite3.connect(os.path.join(folder, "BD", name + ".db")) as db:
            db.executescript(seed.read())
    rng = random.Random(20240611 + groups)
    with sqlite3.connect(os.path.join(folder, "BD", "ZT_Itens.db")) as db:
        db.executemany("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                       "values (?,?,?,?,?,?,?)", (group_row(rng, n + 1) for n in range(groups)))
    with sqlite3.connect(os.path.join(folder, "BD", "ZT_Config.db")) as db:
        shown = db.execute("select checkMini, iniMinimized from Tabela1 where id=1").fetchone()
    # Started in the tray, Zantor would map no window and every run would time out.
    if shown is None or shown[1] == "1":
        raise CannotMeasure(f"the seeded settings start Zantor in the tray (checkMini, iniMinimized = {shown})")
    return folder


class PrivateX:
    """An Xvfb of our own with no window manager: the program's top-level window is then
    a direct child of the root, and mapping it is reported on the root at once. What any
    window draws is reported too, as damage to the root."""

    def __init__(self, work):
        self.log_path = os.path.join(work, "xvfb.log")
        read_end, write_end = os.pipe()
        try:
            with open(self.log_path, "wb") as log:
                self.process = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
                    pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True)
        except OSError as problem:
            os.close(read_end)
            raise CannotMeasure(f"Xvfb could not be started: {problem}")
        finally:
            os.close(write_end)
        try:
            number = self._read_display_number(read_end, timeout=10.0)
        finally:
            os.close(read_end)
        self.name = f":{number}"
        self.connection = xdisplay.Display(self.name)
        self.root = self.connection.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.connection.sync()

    def watch_drawing(self):
        """From now on, every drawing into any window is reported as an event."""
        if not self.connection.has_extension("DAMAGE"):
            raise CannotMeasure("the X server has no DAMAGE extension: drawing cannot be seen")
        # The server takes no damage request from a client that has not said its version.
        self.connection.damage_query_version()
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.connection.sync()

    def _read_display_number(self, fd, timeout):
        text = b""
        deadline = time.monotonic() + timeout
        while not text.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or self.process.poll() is not None:
                self.close()
                raise CannotMeasure("Xvfb did not start:\n" + self.log())
            ready, _, _ = select.select([fd], [], [], remaining)
            if ready:
                chunk = os.read(fd, 64)
                if not chunk:
                    self.close()
                    raise CannotMeasure("Xvfb did not start:\n" + self.log())
                text += chunk
        return int(text.strip())

    def log(self):
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            return log.read()[-2000:]

    def forget_events(self):
        """Drops what earlier runs left behind (unmaps, destroys), so that a run only
        sees its own program's windows."""
        self.connection.sync()
        while self.connection.pending_events():
            self.connection.next_event()

    def wait_for_first_picture(self, process, timeout):
        """The moments (perf_counter_ns) a window that is neither a menu nor a tooltip is
        mapped on the root and first drawn into, and that window."""
        deadline = time.monotonic() + timeout
        fd = self.connection.fileno()
        damage_event = self.connection.extension_event.DamageNotify
        window, mapped, place = None, None, None
        while True:
            while self.connection.pending_events():
                event = self.connection.next_event()
                if window is None and event.type == X.MapNotify and not event.override:
                    mapped, window = time.perf_counter_ns(), event.window
                    geometry = window.get_geometry()
                    place = (geometry.x, geometry.y, geometry.width, geometry.height)
                elif window is not None and event.type == damage_event and overlaps(event.area, place):
                    return mapped, time.perf_counter_ns(), window
            if process.poll() is not None:
                raise CannotMeasure(f"the program ended with status {process.returncode} before it showed a window")
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise CannotMeasure(f"no window was mapped and drawn within {timeout:.0f} s")
            # Short waits, so that a program that dies is noticed without the full timeout.
            select.select([fd], [], [], min(remaining, 0.05))

    def close(self):
        if getattr(self, "connection", None) is not None:
            self.connection.close()
            self.connection = None
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def overlaps(area, place):
    x, y, width, height = place
    return area.x < x + width and x < area.x + area.width and area.y < y + height and y < area.y + area.height


def clean_environment(display, work):
    """The same plain environment for both programs: nothing from the caller's desktop
    session (a Wayland or offscreen platform, a theme, a bus) may tilt the comparison."""
    home = os.path.join(work, "home")
    runtime = os.path.join(work, "runtime")
    for folder in (home, runtime):
        os.makedirs(folder, mode=0o700, exist_ok=True)
    return {
        "PATH": "/usr/bin:/bin",
        "HOME": home,
        "XDG_RUNTIME_DIR": runtime,
        "LANG": "C.UTF-8",
        "DISPLAY": display,
        "XAUTHORITY": "/dev/null",
        "QT_QPA_PLATFORM": "xcb",
        # A bus address that leads nowhere: without one, libdbus would start a bus of its
        # own through X11 autolaunch in the middle of a run.
        "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-session-bus"),
    }


def peak_rss_bytes(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                value, unit = line.split()[1:3]
                assert unit == "kB", line
                return int(value) * 1024
    raise CannotMeasure(f"/proc/{pid}/status has no VmHWM line")


def stop(process):
    """Ends the program and whatever it started, so that nothing of one run lingers
    into the next one's figures."""
    for sign in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sign)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=5)
            return
        except subprocess.TimeoutExpired:
            continue


def wait_for_file(path, process, timeout):
    """The text of the file the program writes whole, once it is there."""
    deadline = time.monotonic() + timeout
    while not os.path.exists(path):
        if process.poll() is not None:
            raise CannotMeasure(f"the program ended with status {process.returncode} before it wrote {path}")
        if time.monotonic() > deadline:
            raise CannotMeasure(f"{path} was not written within {timeout:.0f} s")
        time.sleep(0.01)
    with open(path, encoding="ascii") as written:
        return written.read()


def measure_once(x, program, folder, env, settle, timeout, errors_path):
    """(milliseconds to the main window's first picture, milliseconds to its mapping,
    peak RSS in bytes, Zantor's longest event-loop pause in milliseconds or None) of one
    start."""
    x.forget_events()
    pause_path = os.path.join(folder, "pause.txt") if program == "Zantor" else None
    if pause_path:
        env = dict(env, ZANTOR_PAUSE_PROBE=pause_path)
        if os.path.exists(pause_path):
            os.remove(pause_path)
    with open(errors_path, "wb") as errors:
        started = time.perf_counter_ns()
        process = subprocess.Popen([os.path.join(folder, program)], cwd=folder, env=env,
                                   stdin=subprocess.DEVNULL, stdout=errors, stderr=errors,
                                   start_new_session=True)
    pause = None
    try:
        try:
            mapped, drawn, window = x.wait_for_first_picture(process, timeout)
            size = window.get_geometry()
        except (CannotMeasure, xerror.XError) as problem:
            with open(errors_path, encoding="utf-8", errors="replace") as errors:
                said = errors.read()[-2000:]
            raise CannotMeasure(f"{program} in {folder}: {problem}" + (f"\nIt said:\n{said}" if said else ""))
        if (size.width, size.height) != WINDOW_SIZE:
            raise CannotMeasure(f"{program} mapped a {size.width} x {size.height} window first, "
                                f"not its {WINDOW_SIZE[0]} x {WINDOW_SIZE[1]} main window")
        if pause_path:
            pause = float(wait_for_file(pause_path, process, timeout))
        else:
            time.sleep(settle)
        if process.poll() is not None:
            raise CannotMeasure(f"{program} ended with status {process.returncode} right after showing its window")
        rss = peak_rss_bytes(process.pid)
    finally:
        stop(process)
    return (drawn - started) / 1e6, (mapped - started) / 1e6, rss, pause


def measure(x, starts, env, runs, settle, timeout, work, verbose):
    """Medians of each (name, program, folder) in `starts`, started in turns, and every
    turn's figures by name. One start of each comes first and is not counted: it only
    warms the caches the later starts all find warm."""
    samples = {name: [] for name, _, _ in starts}
    errors_path = os.path.join(work, "program.log")
    for _, program, folder in starts:
        measure_once(x, program, folder, env, settle, timeout, errors_path)
    for turn in range(runs):
        # Turning who goes first each turn keeps any from always following another.
        shift = turn % len(starts)
        for name, program, folder in starts[shift:] + starts[:shift]:
            drawn_ms, mapped_ms, rss, pause = measure_once(x, program, folder, env, settle, timeout, errors_path)
            samples[name].append((drawn_ms, mapped_ms, rss, pause if pause is not None else 0.0))
            if verbose:
                print(f"  {name:<11} run {turn + 1}: drawn {drawn_ms:8.1f} ms, mapped {mapped_ms:8.1f} ms, "
                      f"{rss / 2**20:8.1f} MB" + (f", longest pause {pause:.1f} ms" if pause is not None else ""),
                      file=sys.stderr)
    # The pause is the worst of the runs: a click may come during any of them.
    return {name: tuple(statistics.median(column) for column in list(zip(*values))[:3]) +
            (max(value[3] for value in values),)
            for name, values in samples.items()}, samples


def paired_ratio(samples, name, against, column):
    """The median over the turns of one program's figure against another's in the same
    turn: starts taken one after the other share the machine's pace, which drifts over
    a run by more than the differences measured here."""
    return statistics.median(ours[column] / theirs[column]
                             for ours, theirs in zip(samples[name], samples[against]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(REPO, "build"))
    parser.add_argument("--runs", type=int, default=15, help="counted starts of each program per group count")
    parser.add_argument("--groups", default="0,1000,10000,100000", help="comma-separated group counts")
    parser.add_argument("--settle-ms", type=int, default=300,
                        help="how long bare_window runs after its first picture before its peak memory is read")
    parser.add_argument("--timeout", type=float, default=30.0,
                        help="seconds a window may take to be drawn, and Zantor's list to be read")
    parser.add_argument("--verbose", action="store_true", help="print every run on stderr")
    args = parser.parse_args()
    counts = [int(n) for n in args.groups.split(",")]
    build_dir = os.path.abspath(args.build_dir)

    results = {}
    with tempfile.TemporaryDirectory(prefix="zantor-bench-") as work:
        try:
            for needed in ("Zantor", os.path.join("bench", "bare_window")):
                if not os.access(os.path.join(build_dir, needed), os.X_OK):
                    raise CannotMeasure(f"{os.path.join(build_dir, needed)} is not built")
            x = PrivateX(work)
            try:
                x.watch_drawing()
                env = clean_environment(x.name, work)
                empty = make_app_folder(work, 0, build_dir)
                screenful = make_app_folder(work, SCREENFUL, build_dir)
                print(f"Start-up: {args.runs} starts of each program per line, in turns, medians; Xvfb {SCREEN}, "
                      f"no window manager. Times to the first picture (to the mapping in brackets); time "
                      f"ratios are the medians of each turn's; \"none\" is the same build with no groups, "
                      f"\"screen\" with {SCREENFUL}, \"bare\" a bare Qt window; the pause is the longest of "
                      f"the runs.")
                print(f"{'groups':>7} {'Zantor ms':>16} {'none ms':>16} {'/none':>13} {'screen ms':>16} {'/screen':>13} "
                      f"{'bare ms':>16} {'/bare':>6} {'Zantor MB':>10} {'bare MB':>8} {'/bare':>6} {'pause ms':>9}")
                for groups in counts:
                    kept = {0: empty, SCREENFUL: screenful}
                    folder = kept[groups] if groups in kept else make_app_folder(work, groups, build_dir)
                    starts = [("Zantor", "Zantor", folder), ("bare", "bare_window", empty)]
                    if groups > SCREENFUL:
                        starts[1:1] = [("none", "Zantor", empty), ("screen", "Zantor", screenful)]
                    medians, samples = measure(x, starts, env, args.runs, args.settle_ms / 1000, args.timeout,
                                               work, args.verbose)
                    z_ms, z_mapped, z_rss, z_pause = medians["Zantor"]
                    n_ms, n_mapped, _, _ = medians.get("none", medians["Zantor"])
                    s_ms, s_mapped, _, _ = medians.get("screen", medians["Zantor"])
                    b_ms, b_mapped, b_rss, _ = medians["bare"]
                    against = {name: [paired_ratio(samples, "Zantor", name if name in samples else "Zantor", column)
                                      for column in (0, 1)]
                               for name in ("none", "screen", "bare")}
                    results[groups] = {"time": against["bare"][0], "memory": z_rss / b_rss,
                                       "mapped_vs_none": against["none"][1], "vs_screen": against["screen"][0],
                                       "pause_ms": z_pause, "megabytes": z_rss / 2**20}
                    print(f"{groups:>7} {z_ms:>7.1f} ({z_mapped:>6.1f}) {n_ms:>7.1f} ({n_mapped:>6.1f}) "
                          f"{against['none'][0]:>5.2f} ({against['none'][1]:>5.2f}) {s_ms:>7.1f} ({s_mapped:>6.1f}) "
                          f"{against['screen'][0]:>5.2f} ({against['screen'][1]:>5.2f}) {b_ms:>7.1f} ({b_mapped:>6.1f}) "
                          f"{against['bare'][0]:>6.2f} "
                          f"{z_rss / 2**20:>10.1f} {b_rss / 2**20:>8.1f} {z_rss / b_rss:>6.2f} {z_pause:>9.1f}",
                          flush=True)
                    if groups not in kept:
                        shutil.rmtree(folder)
            finally:
                x.close()
        except CannotMeasure as problem:
            print(f"startup_benchmark: cannot measure: {problem}", file=sys.stderr)
            return 1

    print("Goals:")
    for what, groups, kind, limit, unit in GOALS:
        if groups not in results:
            print(f"  {what}: at most {limit:g}{unit}: not measured")
            continue
        figure = results[groups][kind]
        print(f"  {what}: at most {limit:g}{unit}: {figure:.2f}{unit}, {'met' if figure <= limit else 'missed'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
