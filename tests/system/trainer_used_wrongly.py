#!/usr/bin/env python3
"""The real trainer started the wrong way, as a careful tester would try it: with a
standard stream closed, its output cut by "| head", a second trainer in the same
folder, data files that are pipes, folders or links to them, a short hall of fame, a
population holding a weight that is no number, and a full disk. It must never hang,
never write console text into a data file, and never leave a file worse than it was.

    trainer_used_wrongly.py TRAINER MAKE_POPULATION
"""

import os
import re
import resource
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

from outcome import report
from waits import read_until, wait_for

COMPLETE = 613444
TAIL = b"extra bytes kept"
BANNER = (b"Jeux d'Elvarin : programme d'apprentissage rapide.\n"
          b"Nb neurones = 233 nb connexion = 4260 nb octet total = 613444\n")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def generations(output):
    return [int(float(g)) for g in re.findall(rb"Generation = ([0-9.e+]+) / ", output)]


def header(path):
    return struct.unpack("<f", read(path)[:4])[0]


def descriptor(process, number):
    try:
        return os.readlink("/proc/%d/fd/%d" % (process.pid, number))
    except OSError:
        return None


class Checks:
    def __init__(self, trainer, make_population, top):
        self.trainer, self.make_population, self.top = trainer, make_population, top
        self.failures = []
        self.count = 0

    def fail(self, case, text):
        self.failures.append("%s: %s" % (case, text))

    def folder(self, name, hall_of_fame=True):
        """A folder with a first population (and its extra bytes) and, if asked, a
        complete hall of fame whose replacement slot is 1."""
        folder = os.path.join(self.top, name)
        os.makedirs(folder)
        subprocess.run([self.make_population, "--seed", "3", folder], check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(folder, "elvarfl.don"), "ab") as f:
            f.write(TAIL)
        if hall_of_fame:
            population = read(os.path.join(folder, "elvarfl.don"))
            with open(os.path.join(folder, "meillfl.don"), "wb") as f:
                f.write(struct.pack("<f", 1.0) + population[4:COMPLETE])
        return folder

    def run(self, folder, stdin=b"", timeout=30, **options):
        """Runs the trainer to its end with `stdin` as its keys; (status, output)."""
        try:
            done = subprocess.run([self.trainer], cwd=folder, input=stdin, capture_output=True, timeout=timeout,
                                  **options)
            return done.returncode, done.stdout
        except subprocess.TimeoutExpired:
            return None, b""

    def refused(self, case, folder, message, files=("elvarfl.don", "meillfl.don")):
        """The trainer must end at once with exit status 1 and `message` after its banner,
        leaving the folder exactly as it was."""
        before = {name: (read(os.path.join(folder, name)) if os.path.isfile(os.path.join(folder, name)) else None)
                  for name in os.listdir(folder)}
        status, output = self.run(folder, stdin=b"xO", timeout=10)
        self.count += 1
        if status is None:
            self.fail(case, "the trainer hangs")
            return
        if status != 1 or output != BANNER + message:
            self.fail(case, "exit status %s, output %r" % (status, output))
        after = {name: (read(os.path.join(folder, name)) if os.path.isfile(os.path.join(folder, name)) else None)
                 for name in os.listdir(folder)}
        if after != before:
            self.fail(case, "the folder changed: %s" % sorted(set(after.items()) ^ set(before.items()))[:1])

    def closed_standard_output(self):
        folder = self.folder("stdout-closed", hall_of_fame=False)  # the first run creates the hall of fame
        process = subprocess.Popen(["bash", "-c", 'exec "$0" >&- 2>&-', self.trainer], cwd=folder,
                                   stdin=subprocess.PIPE)
        # The new hall of fame is renamed into place well after the streams were seen to.
        wait_for(lambda: os.path.exists(os.path.join(folder, "meillfl.don")) or process.poll() is not None)
        shown = [descriptor(process, 1), descriptor(process, 2)]
        process.communicate(b"xO", timeout=30)
        hall = read(os.path.join(folder, "meillfl.don"))
        if shown != ["/dev/null", "/dev/null"]:
            self.fail("stdout and stderr closed", "descriptors 1 and 2 are %s" % shown)
        if process.returncode != 0 or len(hall) != COMPLETE or b"Generation" in hall or b"Jeux" in hall:
            self.fail("stdout and stderr closed", "exit status %d, hall of fame of %d bytes with console text: %s"
                      % (process.returncode, len(hall), b"Generation" in hall))

    def closed_standard_input(self):
        folder = self.folder("stdin-closed")
        process = subprocess.Popen(["bash", "-c", 'exec "$0" <&-', self.trainer], cwd=folder, stdout=subprocess.PIPE)
        # Its second generation comes after a look for a key on that input.
        output = read_until(process.stdout.fileno(), b"", lambda o: len(generations(o)) >= 2)
        shown, running = descriptor(process, 0), process.poll() is None
        process.send_signal(signal.SIGTERM)
        output += process.communicate(timeout=30)[0]
        if shown != "/dev/null" or not running:
            self.fail("stdin closed", "descriptor 0 is %s, %s at its second generation" % (
                shown, "running" if running else "ended by itself"))
        if process.returncode != 0 or header(os.path.join(folder, "elvarfl.don")) != generations(output)[-1]:
            self.fail("stdin closed", "exit status %d after SIGTERM, or the last generation was not saved"
                      % process.returncode)
        if len(read(os.path.join(folder, "meillfl.don"))) != COMPLETE:
            self.fail("stdin closed", "the hall of fame is no longer complete")

    def output_cut_by_head(self):
        folder = self.folder("head")
        process = subprocess.Popen([self.trainer], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        lines = [process.stdout.readline() for _ in range(300)]   # as "trainer | head -300"
        process.stdout.close()
        try:
            process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            process.kill()
            self.fail("| head", "the trainer goes on after its reader has gone")
            return
        seen = generations(b"".join(lines))
        population = read(os.path.join(folder, "elvarfl.don"))
        saved = header(os.path.join(folder, "elvarfl.don"))
        if process.returncode != 0 or len(population) != COMPLETE + len(TAIL) or saved < seen[-1]:
            self.fail("| head", "exit status %d, population of %d bytes, saved counter %s after generation %d"
                      % (process.returncode, len(population), saved, seen[-1]))
        status, output = self.run(folder, stdin=b"xO")
        if status != 0 or generations(output)[:1] != [int(saved) + 1]:
            self.fail("| head", "the next run starts at %s, not %d" % (generations(output)[:1], saved + 1))

    def second_trainer(self):
        folder = self.folder("second")
        first = subprocess.Popen([self.trainer], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        # The banner, then a generation line: the first run is under way. The stop may
        # come before it prints another, so its last generation is looked for in all.
        seen = b"".join(first.stdout.readline() for _ in range(3))
        status, output = self.run(folder, stdin=b"xO", timeout=10)
        first.stdin.write(b"xO")
        first.stdin.close()
        rest = seen + first.stdout.read()
        first.wait(timeout=30)
        message = "Un autre apprentissage tourne d\u00e9j\u00e0 dans ce dossier\n".encode("latin-1")
        if status != 1 or output != BANNER + message:
            self.fail("second trainer", "exit status %s, output %r" % (status, output))
        if first.returncode != 0 or header(os.path.join(folder, "elvarfl.don")) != generations(rest)[-1]:
            self.fail("second trainer", "the first run did not go on to its own end")
        if sorted(os.listdir(folder)) != ["elvarfl.don", "meillfl.don"]:
            self.fail("second trainer", "files left: %s" % sorted(os.listdir(folder)))

    def not_ordinary_files(self):
        opening = {"elvarfl.don": b"Ouverture fichier sauvegarde ne se fait pas\n",
                   "meillfl.don": b"Ouverture fichier meillfl ne se fait pas"}
        for name, message in opening.items():
            for kind in ("pipe", "folder", "link to a pipe", "link to a device"):
                folder = self.folder("%s-%s" % (name, kind.replace(" ", "-")))
                path = os.path.join(folder, name)
                os.remove(path)
                if kind == "pipe":
                    os.mkfifo(path)
                elif kind == "folder":
                    os.mkdir(path)
                elif kind == "link to a pipe":
                    os.mkfifo(os.path.join(folder, "pipe"))
                    os.symlink("pipe", path)
                else:
                    os.symlink("/dev/zero", path)
                self.refused("%s as a %s" % (name, kind), folder, message)

    def damaged_files(self):
        folder = self.folder("short-hall")
        hall = os.path.join(folder, "meillfl.don")
        with open(hall, "r+b") as f:
            f.truncate(100000)
        self.refused("short hall of fame", folder, b"Fichier meillfl incomplet : 100000 octets au lieu de 613444")

        folder = self.folder("nan-weight", hall_of_fame=False)
        population = bytearray(read(os.path.join(folder, "elvarfl.don")))
        population[4 + 20 * 17040 + 400:4 + 20 * 17040 + 404] = struct.pack("<f", float("nan"))
        with open(os.path.join(folder, "elvarfl.don"), "wb") as f:
            f.write(population)
        self.refused("weight that is no number", folder,
                     "Fichier sauvegarde incorrect : poids invalide dans le r\u00e9seau 21\n".encode("latin-1"))

    def folder_not_writable(self):
        """The files may be written but no file can be made beside them: refused at
        start-up, not at the first save hours later."""
        folder = self.folder("not-writable")
        if os.geteuid() == 0:
            locked = subprocess.run(["chattr", "+i", folder], capture_output=True).returncode == 0
            unlock = ["chattr", "-i", folder]
        else:
            os.chmod(folder, 0o555)
            locked, unlock = True, ["chmod", "755", folder]
        if not locked:
            print("the folder could not be made unwritable here: not checked")
            return
        try:
            self.refused("folder not writable", folder, b"Ouverture fichier sauvegarde ne se fait pas\n")
        finally:
            subprocess.run(unlock)

    def full_disk(self, case, folder, **options):
        """The save at the stop cannot be written: its message, exit status 1, the old
        population whole and nothing beside it. The trainer's seed comes from the clock:
        when its first generation admits a champion, the save before the champions play
        is the one that fails."""
        before = read(os.path.join(folder, "elvarfl.don"))
        status, output = self.run(folder, stdin=b"xO", **options)
        if status != 1 or not re.search(rb"(\(O/N\) \? |selectionn\xe9 avec le score de \d+)\n"
                                        rb"Ecriture ne se fait pashandle \d+ $", output):
            self.fail(case, "exit status %s, output ends %r" % (status, output[-80:]))
        if read(os.path.join(folder, "elvarfl.don")) != before:
            self.fail(case, "the population file changed")
        if sorted(os.listdir(folder)) != ["elvarfl.don", "meillfl.don"]:
            self.fail(case, "files left: %s" % sorted(os.listdir(folder)))

    def full_disks(self):
        # A file size limit makes every write beyond it fail, as a full disk does.
        def limit():
            resource.setrlimit(resource.RLIMIT_FSIZE, (400000, 400000))
        self.full_disk("file size limit", self.folder("size-limit"), preexec_fn=limit)

        # A real full disk: a small memory file system, where this may be mounted.
        folder = os.path.join(self.top, "small-disk")
        os.makedirs(folder)
        mounted = os.geteuid() == 0 and subprocess.run(
            ["mount", "-t", "tmpfs", "-o", "size=1300k", "tmpfs", folder], capture_output=True).returncode == 0
        if not mounted:
            print("no small file system could be mounted: the full disk is tested by the size limit alone")
            return
        try:
            source = self.folder("small-disk-files")
            for name in ("elvarfl.don", "meillfl.don"):
                shutil.copy(os.path.join(source, name), folder)
            self.full_disk("full disk", folder)
        finally:
            subprocess.run(["umount", folder])


def main():
    trainer, make_population = (os.path.abspath(p) for p in sys.argv[1:3])
    top = tempfile.mkdtemp(prefix="elvarin-wrongly-")
    checks = Checks(trainer, make_population, top)
    try:
        checks.closed_standard_output()
        checks.closed_standard_input()
        checks.output_cut_by_head()
        checks.second_trainer()
        checks.not_ordinary_files()
        checks.damaged_files()
        checks.folder_not_writable()
        checks.full_disks()
        print("%d refusals checked" % checks.count)
    finally:
        shutil.rmtree(top, ignore_errors=True)
    return report(checks.failures)


if __name__ == "__main__":
    sys.exit(main())
