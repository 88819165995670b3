"""The Debian package as the distribution checks it: lintian, the AppStream metadata,
the menu entry; one version everywhere; a manual page and a bash completion that say
what `zantor --help` says. No display is needed."""
import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from zantor_e2e import BUILD_DIR, ZantorCopy

CPACK = os.environ.get("ZANTOR_CPACK", "cpack")
PROGRAM = os.path.join(BUILD_DIR, "Zantor")
MAN_PAGE = os.path.join(BUILD_DIR, "packaging", "zantor.1")
COMPLETION = os.path.join(BUILD_DIR, "packaging", "completion", "zantor")


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)


def help_text():
    env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
    return run(PROGRAM, "--help", env=env).stdout


def words(text):
    return " ".join(text.split())


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = tempfile.mkdtemp(prefix="zantor-package-")
        packed = run(CPACK, "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", cls.out)
        assert packed.returncode == 0, packed.stdout + packed.stderr
        cls.package, = glob.glob(os.path.join(cls.out, "zantor_*.deb"))
        cls.tree = os.path.join(cls.out, "tree")
        run("dpkg-deb", "--extract", cls.package, cls.tree, check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.out, ignore_errors=True)

    def test_debians_own_checks_pass(self):
        checked = run("lintian", "--fail-on", "error,warning", "--display-level", ">=warning", self.package)
        print(checked.stdout, end="")
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertNotRegex(checked.stdout, r"(?m)^[EW]: ")

    def test_software_centres_can_list_it(self):
        # The whole tree: the metadata, and the menu entry it names as its launchable.
        validated = run("appstreamcli", "validate-tree", "--no-net", "--strict", self.tree)
        self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        self.assertIn("io.github.zantor.Zantor.metainfo.xml", validated.stdout)
        entry = os.path.join(self.tree, "usr/share/applications/Zantor.desktop")
        validated = run("desktop-file-validate", entry)
        self.assertEqual((validated.returncode, validated.stdout), (0, ""), validated.stderr)

    def test_one_version_for_the_program_and_the_package(self):
        version = run("dpkg-deb", "--field", self.package, "Version").stdout.strip()
        self.assertEqual(run(PROGRAM, "--version").stdout, f"Zantor {version}\n")
        with open(glob.glob(os.path.join(self.tree, "usr/share/metainfo/*.metainfo.xml"))[0]) as metainfo:
            self.assertIn(f'<release version="{version}"', metainfo.read())
        changelog = run("zcat", os.path.join(self.tree, "usr/share/doc/zantor/changelog.gz")).stdout
        self.assertTrue(changelog.startswith(f"zantor ({version})"), changelog)
        depends = run("dpkg-deb", "--field", self.package, "Depends").stdout
        for package in ("qt6-wayland", "qt6-translations-l10n"):
            self.assertIn(package, depends)


class CommandLineDocumentsTest(unittest.TestCase):
    def test_the_manual_page_says_what_help_says(self):
        page = run("man", "--warnings", "-E", "UTF-8", "-l", MAN_PAGE, env=dict(os.environ, MANWIDTH="200"))
        self.assertEqual(page.stderr, "")
        shown = words(page.stdout)
        help_lines = help_text().splitlines()
        options = help_lines.index("Opções:")
        statuses = help_lines.index("Códigos de saída:")
        # Every line of the description, every option with its whole description, and
        # every exit status with its meaning.
        entries = [line for line in help_lines[1:options] if line]
        entry = ""
        for line in help_lines[options + 1:statuses] + ["  -"]:
            if line.startswith("  -") and entry:
                entries.append(re.sub(r"\s{2,}", " ", entry.strip()))
                entry = ""
            entry += " " + line
        entries += [re.sub(r"\s+", " ", line.strip()) for line in help_lines[statuses + 1:] if line.strip()]
        self.assertGreater(len(entries), 15)
        for entry in entries:
            with self.subTest(entry):
                self.assertIn(words(entry.replace("<", "").replace(">", "")), shown)

    def test_bash_completes_options_titles_and_files(self):
        zantor = ZantorCopy()
        self.addCleanup(zantor.stop)
        zantor.add_group("Trabalho", "Planilha", "/tmp/planilha.ods")
        zantor.add_group("Tarefas de casa", "Lista", "/tmp/lista.txt")
        zantor.add_group("$(touch injected)", "Nada", "/tmp/nada")
        folder = tempfile.mkdtemp(prefix="zantor-completion-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        open(os.path.join(folder, "grupos.json"), "w").close()
        program = os.path.join(zantor.folder, "Zantor")
        for line, expected in (("zantor --ex", ["--exportar"]),
                               ("zantor -", help_options()),
                               ("zantor --abrir T", ["Tarefas de casa", "Trabalho"]),
                               ("zantor -a $", ["$(touch injected)"]),
                               ("zantor --importar gru", ["grupos.json"])):
            with self.subTest(line):
                words_typed = line.split(" ")
                script = (f"source {COMPLETION}\nCOMP_WORDS=({' '.join(repr(w) for w in words_typed)})\n"
                          f"COMP_CWORD={len(words_typed) - 1}\n_zantor {program!r} {words_typed[-1]!r}\n"
                          "printf '%s\\n' \"${COMPREPLY[@]}\"")
                completed = run("bash", "-c", script, cwd=folder, env={
                    name: value for name, value in os.environ.items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")})
                self.assertEqual(sorted(completed.stdout.splitlines()), sorted(expected), completed.stderr)
        self.assertFalse(os.path.exists(os.path.join(folder, "injected")))


def help_options():
    return re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", "\n".join(
        line.split("  ")[1] for line in help_text().splitlines() if line.startswith("  -")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
