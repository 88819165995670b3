"""Nothing lost, nothing hangs: a disk that fills up during an export, first starts at
once, clients that stall the one-copy socket, imports from pipes, and a group folder
that cannot be written."""
import glob
import json
import os
import resource
import shutil
import signal
import socket
import subprocess
import tempfile
import threading
import unittest

from zantor_e2e import ZantorCopy, visible_windows, wait_for


def file_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def group_file(*titles):
    return json.dumps({"grupos": [{"titulo": t, "itens": [{"titulo": "a", "endereco": "/a"}]} for t in titles]})


class ReliabilityTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zantor-reliability-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        runtime = os.path.join(self.root, "run")
        os.mkdir(runtime, 0o700)
        self.env = {"XDG_RUNTIME_DIR": runtime, "XDG_DATA_HOME": os.path.join(self.root, "data"),
                    "XDG_CACHE_HOME": os.path.join(self.root, "cache")}
        self.zantor = self.new_copy()

    def new_copy(self):
        copy = ZantorCopy()
        self.addCleanup(copy.stop)
        return copy

    def mount(self, *args):
        """Mounts as root; False where this machine does not let the test mount."""
        if os.getuid() != 0 or subprocess.run(["mount", *args], capture_output=True).returncode != 0:
            return False
        self.addCleanup(subprocess.run, ["umount", "-l", args[-1]], capture_output=True)
        return True

    def test_an_export_cut_short_by_a_full_disk_keeps_the_old_backup(self):
        disk = os.path.join(self.root, "disk")
        os.mkdir(disk)
        limit = None
        if not self.mount("-t", "tmpfs", "-o", "size=64k", "tmpfs", disk):
            # A file size limit fails the write as a full disk does.
            limit = 64 * 1024
        backup = os.path.join(disk, "grupos.json")
        self.zantor.add_group("Trabalho", "a", "/a")
        self.assertEqual(self.zantor.run("--exportar", backup, env=self.env).returncode, 0)
        good = file_bytes(backup)
        self.zantor.add_group("Enorme", "x" * 200_000, "/x")

        def limited():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            if limit:
                resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        result = subprocess.run([os.path.join(self.zantor.folder, "Zantor"), "--exportar", backup],
                                capture_output=True, text=True, env={**os.environ, **self.env},
                                preexec_fn=limited, timeout=60)
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertTrue(result.stderr.startswith("Exportação não feita: não foi possível gravar"), result.stderr)
        # The system's reason, as the desktop entries' writes say it.
        self.assertIn("(File too large)" if limit else "(No space left on device)", result.stderr)
        self.assertEqual(file_bytes(backup), good)
        self.assertEqual(os.listdir(disk), ["grupos.json"])

    def test_an_export_that_cannot_take_the_backups_name_fails(self):
        """The new file is written whole, but the last step, its rename over the old backup,
        fails: a file mounted over the backup cannot be replaced."""
        folder = os.path.join(self.root, "copias")
        os.mkdir(folder)
        backup = os.path.join(folder, "grupos.json")
        cover = os.path.join(self.root, "cover.json")
        for path in (backup, cover):
            with open(path, "wb") as file:
                file.write(b"old backup\n")
        if not self.mount("--bind", cover, backup):
            self.skipTest("this machine does not let the test mount")
        self.zantor.add_group("Trabalho", "a", "/a")
        result = self.zantor.run("--exportar", backup, env=self.env)
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertTrue(result.stderr.startswith("Exportação não feita: não foi possível gravar"), result.stderr)
        self.assertEqual(result.stdout, "")
        self.assertEqual(file_bytes(backup), b"old backup\n")
        self.assertEqual(os.listdir(folder), ["grupos.json"])

    def test_first_starts_at_once_all_work_and_leave_working_databases(self):
        for attempt in range(6):
            with self.subTest(attempt=attempt):
                copy = self.new_copy()
                commands = [["--listar"]] * 3 + [["--exportar", "-"]] * 3
                starts = [subprocess.Popen([os.path.join(copy.folder, "Zantor"), *args], cwd=copy.folder,
                                           env={**os.environ, **self.env}, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.PIPE, text=True) for args in commands]
                failures = [start.communicate(timeout=60)[1] for start in starts if start.wait(timeout=60) != 0]
                self.assertEqual(failures, [])
                self.assertEqual(copy.run("--listar", env=self.env).returncode, 0)

    def test_stalled_clients_do_not_starve_the_running_copy(self):
        def few_descriptors():
            resource.setrlimit(resource.RLIMIT_NOFILE, (256, 256))
        self.zantor.process = subprocess.Popen([os.path.join(self.zantor.folder, "Zantor")], cwd=self.zantor.folder,
                                               env={**os.environ, **self.env}, preexec_fn=few_descriptors)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        path = wait_for(lambda: glob.glob(os.path.join(self.env["XDG_RUNTIME_DIR"], "**", "*.socket"), recursive=True),
                        what="the one-copy socket")[0]
        stalled = []
        self.addCleanup(lambda: [client.close() for client in stalled])
        for _ in range(400):
            client = socket.socket(socket.AF_UNIX)
            try:
                client.connect(path)
            except OSError:
                client.close()
                continue
            stalled.append(client)
        second = self.zantor.run(env=self.env)
        self.assertEqual((second.returncode, second.stderr), (0, ""))
        self.assertEqual(self.zantor.processes(), [self.zantor.process.pid])

    def test_an_import_reads_a_pipe_or_the_standard_input_of_its_caller(self):
        self.zantor.start(self.env)
        wait_for(lambda: visible_windows("Kelmar Zantor"), what="the main window")
        fifo = os.path.join(self.root, "grupos.fifo")
        os.mkfifo(fifo)
        writer = threading.Thread(target=lambda: open(fifo, "w").write(group_file("Do pipe")))
        writer.start()
        through_pipe = self.zantor.run("--importar", fifo, env=self.env)
        writer.join()
        self.assertEqual((through_pipe.returncode, through_pipe.stdout), (0, "1 grupo importado.\n"))

        through_input = subprocess.run([os.path.join(self.zantor.folder, "Zantor"), "--importar", "-"],
                                       input=group_file("Da entrada"), capture_output=True, text=True,
                                       env={**os.environ, **self.env}, timeout=60)
        self.assertEqual((through_input.returncode, through_input.stdout), (0, "1 grupo importado.\n"))

        endless = self.zantor.run("--importar", "/dev/zero", env=self.env)
        self.assertEqual(endless.returncode, 65)
        self.assertIn("passa de 64 MiB", endless.stderr)
        listed = self.zantor.run("--listar", env=self.env)
        self.assertEqual(listed.stdout, "Da entrada\ta\nDo pipe\ta\n")
        self.assertEqual(self.zantor.run(env=self.env).returncode, 0, "the running copy still answers")

    def test_a_group_folder_that_cannot_be_written_is_read_and_never_replaced(self):
        self.zantor.add_group("Trabalho", "a", "/a")
        bd = os.path.join(self.zantor.folder, "BD")
        if not self.mount("--bind", "-o", "ro", bd, bd):
            if os.getuid() == 0:
                self.skipTest("this machine lets the test neither mount nor lose its write access")
            os.chmod(bd, 0o555)
            self.addCleanup(os.chmod, bd, 0o755)
        warning = f"Os grupos estão numa pasta que não pode ser gravada ({bd})"
        listed = self.zantor.run("--listar", env=self.env)
        self.assertEqual((listed.returncode, listed.stdout), (0, "Trabalho\ta\n"))
        self.assertTrue(listed.stderr.startswith(warning), listed.stderr)
        imported = subprocess.run([os.path.join(self.zantor.folder, "Zantor"), "--importar", "-"],
                                  input=group_file("Novo"), capture_output=True, text=True,
                                  env={**os.environ, **self.env}, timeout=60)
        self.assertEqual(imported.returncode, 2, imported.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.env["XDG_DATA_HOME"], "Zantor")))

    def test_stored_control_characters_reach_the_terminal_escaped(self):
        self.zantor.add_group("Título\x1b]0;x\x07\x1b[2J", "a\x9bb", "/a")
        listed = self.zantor.run("--listar", env=self.env)
        self.assertEqual(listed.stdout, "Título\\x1b]0;x\\x07\\x1b[2J\ta\\x9bb\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
