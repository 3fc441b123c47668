#!/usr/bin/env python3
"""Runs the real trainer and the Python model of it on the same files with the same
seed and key schedule, and compares stdout, elvarfl.don and meillfl.don byte for byte.

    compare_with_model.py DRIVER MAKE_POPULATION

DRIVER is the train_driver tool, MAKE_POPULATION the make_population tool.
"""

import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
MODEL = os.path.join(HERE, "trainer_reference.py")


def full_precision_population(path, seed):
    """A population whose weights use every bit of the mantissa, at several scales,
    so that the order and rounding of every float addition shows in the results."""
    rng = random.Random(seed)
    floats = [0.0]
    for _ in range(36 * 4260):
        floats.append(rng.uniform(-1.0, 1.0) * rng.choice((1.0, 1.0, 1e-3, 37.0)))
    with open(path, "wb") as out:
        out.write(struct.pack("<%df" % len(floats), *floats))


def run(command, cwd):
    done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=900)
    return done.returncode, done.stdout


def compare(name, real_dir, model_dir, real, model):
    ok = True
    if real != model:
        print("%s: exit status or stdout differ\n  real:  %r\n  model: %r" % (name, real, model))
        ok = False
    for file in ("elvarfl.don", "meillfl.don"):
        a = open(os.path.join(real_dir, file), "rb").read() if os.path.exists(os.path.join(real_dir, file)) else None
        b = open(os.path.join(model_dir, file), "rb").read() if os.path.exists(os.path.join(model_dir, file)) else None
        if a != b:
            first = next((i for i in range(min(len(a or b""), len(b or b""))) if a[i] != b[i]), None)
            print("%s: %s differs (sizes %s / %s, first difference at %s)"
                  % (name, file, len(a or b""), len(b or b""), first))
            ok = False
    return ok


def main():
    driver, make_population = (os.path.abspath(p) for p in sys.argv[1:3])
    top = tempfile.mkdtemp(prefix="elvarin-model-")
    real_dir, model_dir = os.path.join(top, "real"), os.path.join(top, "model")
    os.makedirs(real_dir)
    os.makedirs(model_dir)

    def fresh_start(population):
        for d in (real_dir, model_dir):
            for file in ("elvarfl.don", "meillfl.don"):
                if os.path.exists(os.path.join(d, file)):
                    os.remove(os.path.join(d, file))
            population(d)

    def tool_population(d):
        shutil.copy(os.path.join(top, "tool.don"), os.path.join(d, "elvarfl.don"))

    def full_population(d):
        full_precision_population(os.path.join(d, "elvarfl.don"), 77)

    ok = True
    champions = 0
    try:
        # The first population: our tool and the model make the same file.
        subprocess.run([make_population, "--seed", "12345", real_dir], check=True, stdout=subprocess.DEVNULL)
        subprocess.run([sys.executable, MODEL, "make-population", "--seed", "12345", model_dir], check=True)
        ok &= compare("make_population", real_dir, model_dir, None, None)
        shutil.copy(os.path.join(real_dir, "elvarfl.don"), os.path.join(top, "tool.don"))

        # (name, how to start or None to go on with the files left, seed, key schedule)
        cases = [
            ("new hall of fame", lambda: fresh_start(tool_population), 1000, "3=xO"),
            ("champion, N answer and ignored keys", lambda: fresh_start(tool_population), 5, "2=xzN,3=OO"),
            ("restart on the files left", None, 43, "1=xO"),
            ("full-precision weights", lambda: fresh_start(full_population), 6, "2=xO"),
            ("full-precision, two champions", lambda: fresh_start(full_population), 42, "3=xO"),
        ]
        for name, start, seed, keys in cases:
            if start:
                start()
            real = run([driver, str(seed), keys], real_dir)
            model = run([sys.executable, MODEL, "run", "--seed", str(seed), "--keys", keys, model_dir], model_dir)
            ok &= compare(name, real_dir, model_dir, real, model)
            champions += real[1].count(b"selectionn")
            print("%s: %d console lines, exit %d" % (name, real[1].count(b"\n"), real[0]))
        if champions < 3:
            print("the cases met only %d champions: they no longer test the hall-of-fame step" % champions)
            ok = False
    finally:
        shutil.rmtree(top, ignore_errors=True)
    print("1 passed, 0 failed" if ok else "0 passed, 1 failed")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
