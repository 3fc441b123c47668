#!/usr/bin/env python3
"""Independent model of the Elvarin trainer, written in plain Python.

It plays the same generations as the real `trainer` program -- the same
random draws in the same order, the same 32-bit float sums, the same
tournaments, breeding, mutation and hall-of-fame steps -- and writes the
same console bytes and the same files.  Tests run both programs from the
same files and seed and compare stdout, elvarfl.don and meillfl.don byte
for byte.

    trainer_reference.py make-population --seed S DIR
        writes a first population DIR/elvarfl.don (refused if it exists)
    trainer_reference.py run --seed S --stop-after N DIR
        runs the trainer in DIR with the random source seeded with S; after
        generation N a key is waiting and the stop question is answered "O"
    trainer_reference.py run --seed S --keys "3=xN,5=xzO" DIR
        general key schedule: at the end of generation G the keys of the
        sequence are typed; the first one interrupts and is discarded, the
        following ones answer the question (others than O, o, N, n ignored)

Only the standard library is used.  Float32 arithmetic is emulated by
storing every single addition through array('f'): the double sum of two
float32 values, rounded to float32, is exactly their float32 sum.
"""

import argparse
import math
import os
import struct
import sys
from array import array
from operator import add

# ---------------------------------------------------------------- shape
NETWORKS = 36
INPUTS = 129
HIDDEN1 = 20
HIDDEN2 = 20
OUTPUTS = 64
NEURONS = INPUTS + HIDDEN1 + HIDDEN2 + OUTPUTS                      # 233
CONNECTIONS = HIDDEN1 * INPUTS + HIDDEN2 * (HIDDEN1 + OUTPUTS)      # 4260
NETWORK_BYTES = 4 * CONNECTIONS                                     # 17040
HIDDEN2_BLOCK = HIDDEN1 * INPUTS                                    # 2580
OUTPUT_BLOCK = HIDDEN1 * (HIDDEN2 + INPUTS)                         # 2980
POPULATION_BYTES = 4 * CONNECTIONS * NETWORKS + 4                   # 613444

POPULATION_FILE = "elvarfl.don"
HALL_OF_FAME_FILE = "meillfl.don"

_f32_cell = array('f', [0.0])


def f32(x):
    """x rounded to single precision (round to nearest even)."""
    _f32_cell[0] = x
    return _f32_cell[0]


def f32_bytes(x):
    return array('f', [x]).tobytes() if sys.byteorder == 'little' else struct.pack('<f', x)


FLT_LOWEST = -struct.unpack('<f', b'\xff\xff\x7f\x7f')[0]
SCALE = f32(1.0 / 32767.0)          # 3.0518509447574615e-05


def wrap16(v):
    return ((v + 0x8000) & 0xFFFF) - 0x8000


def network_offset(k):
    """Byte offset of network (or slot) k in a population image."""
    return 4 + (k - 1) * NETWORK_BYTES


# ---------------------------------------------------------------- random source
class RandomSource:
    def __init__(self, seed=1):
        self.state = seed & 0xFFFFFFFF

    def draw(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF


# ---------------------------------------------------------------- board
# For every square the rays in the eight directions, each a tuple of the
# squares met when stepping away from it.  Rays shorter than two squares
# can never capture and are left out.
def _build_rays():
    rays = [()]
    directions = ((0, 1), (1, 0), (1, 1), (-1, -1), (-1, 0), (0, -1), (1, -1), (-1, 1))
    for s in range(1, 65):
        x = (s - 1) % 8 + 1
        y = (s - 1) // 8 + 1
        mine = []
        for dx, dy in directions:
            ray = []
            cx, cy = x + dx, y + dy
            while 1 <= cx <= 8 and 1 <= cy <= 8:
                ray.append(cx + 8 * (cy - 1))
                cx += dx
                cy += dy
            if len(ray) >= 2:
                mine.append(tuple(ray))
        rays.append(tuple(mine))
    return tuple(rays)


RAYS = _build_rays()


def reset_board():
    board = [0] * 65
    board[28] = board[37] = 1
    board[29] = board[36] = 2
    return board


def _captures(board, ray, side):
    """Number of opponent pieces taken along ray, 0 when the run is not closed."""
    c = board[ray[0]]
    if c == 0 or c == side:
        return 0
    for n in range(1, len(ray)):
        c = board[ray[n]]
        if c == 0:
            return 0
        if c == side:
            return n
    return 0


def find_legal_moves(board, side):
    """Legal squares of side, ascending."""
    legal = []
    for s in range(1, 65):
        if board[s]:
            continue
        for ray in RAYS[s]:
            if _captures(board, ray, side):
                legal.append(s)
                break
    return legal


def play_move(board, s, side):
    board[s] = side
    for ray in RAYS[s]:
        n = _captures(board, ray, side)
        for i in range(n):
            board[ray[i]] = side


def count_pieces(board):
    return board.count(1), board.count(2)   # cell 0 is always 0


def score_match(c1, c2):
    """Points of colour 1 and colour 2 for final counts c1, c2."""
    if c1 > c2:
        return (4 if c1 - c2 >= 40 else 3), 0
    if c2 > c1:
        return 0, (4 if c2 - c1 >= 40 else 3)
    return 1, 1


# ---------------------------------------------------------------- networks
def active_inputs(board, side):
    """Numbers of the inputs that are 1.0, ascending."""
    on = []
    for s in range(1, 65):
        c = board[s]
        if c:
            on.append(2 * s if c == side else 2 * s - 1)
    if side != 1:
        on.append(129)
    return on


class Network:
    """Weights of one network split into the rows that one unit sends."""
    __slots__ = ('rows1', 'rows2', 'rows3', 'bounded')

    def __init__(self, weights):
        self.rows1 = [None] + [weights[HIDDEN1 * (i - 1):HIDDEN1 * i] for i in range(1, INPUTS + 1)]
        b = HIDDEN2_BLOCK
        self.rows2 = [None] + [weights[b + HIDDEN2 * (h - 1):b + HIDDEN2 * h] for h in range(1, HIDDEN1 + 1)]
        b = OUTPUT_BLOCK
        self.rows3 = [None] + [weights[b + OUTPUTS * (h - 1):b + OUTPUTS * h] for h in range(1, HIDDEN2 + 1)]
        # With moderate finite weights no output can fall below the lowest
        # float, so a single legal square is chosen without evaluating.
        self.bounded = all(abs(w) <= 1e30 for w in weights)


def networks_of(population):
    return [None] + [Network(struct.unpack_from('<%df' % CONNECTIONS, population, network_offset(k)))
                     for k in range(1, NETWORKS + 1)]


_ZERO20 = array('f', [0.0] * 20)
_ZERO64 = array('f', [0.0] * 64)


def evaluate_network(net, inputs_on):
    """Outputs (64 float32 values, square s at index s - 1)."""
    acc = _ZERO20
    rows = net.rows1
    for i in inputs_on:
        acc = array('f', map(add, acc, rows[i]))
    acc2 = _ZERO20
    rows = net.rows2
    for h in range(HIDDEN1):
        if acc[h] > 0.0:
            acc2 = array('f', map(add, acc2, rows[h + 1]))
    out = _ZERO64
    rows = net.rows3
    for h in range(HIDDEN2):
        if acc2[h] > 0.0:
            out = array('f', map(add, out, rows[h + 1]))
    return out


def tie_index(r, n):
    """1-based place in a tie list of n squares picked by draw r."""
    return ((r + 1) * n + 32767) // 32768


def choose_from_outputs(outputs, legal, rng):
    best = FLT_LOWEST
    ties = []
    for s in legal:
        v = outputs[s - 1]
        if best > v:
            continue
        if v != best:
            best = v
            ties = [s]
        else:
            ties.append(s)
    if not ties:
        return 0
    if len(ties) == 1:
        return ties[0]
    return ties[tie_index(rng.draw(), len(ties)) - 1]


def choose_move(board, net, side, rng):
    legal = find_legal_moves(board, side)
    if not legal:
        return 0
    if len(legal) == 1 and net.bounded:
        return legal[0]
    return choose_from_outputs(evaluate_network(net, active_inputs(board, side)), legal, rng)


def play_match(board, net1, net2, rng):
    moves = 0
    while True:
        s1 = choose_move(board, net1, 1, rng)
        if s1:
            play_move(board, s1, 1)
            moves += 1
        s2 = choose_move(board, net2, 2, rng)
        if s2:
            play_move(board, s2, 2)
            moves += 1
        if (s1 == 0 and s2 == 0) or moves == 60:
            return


# ---------------------------------------------------------------- genetic operators
def half_down(x):
    v = f32(x)
    u = math.ceil(x)
    return u if u - v < 0.5 else int(v)


def roulette_table(scores, total):
    s = f32(32767 / total)
    table = [0] * 37
    for i in range(1, 36):
        table[i] = table[i - 1] + half_down(scores[i] * s)
    return table


def pick_parent(table, r):
    for j in range(1, 36):
        if r <= table[j]:
            return j
    return 36


def cut_point(r):
    return math.ceil(4260 * r * SCALE)


def mutation_position(r2):
    p = half_down(4260 * r2 * SCALE)
    return p if p > 0 else 1      # draws 0..3 stay inside the network


# ---------------------------------------------------------------- trainer
class Stop(Exception):
    def __init__(self, status):
        self.status = status


def out(data):
    sys.stdout.buffer.write(data)
    sys.stdout.buffer.flush()


def fail(message):
    out(message)
    raise Stop(1)


class Trainer:
    def __init__(self, directory, seed, keys):
        self.pop_path = os.path.join(directory, POPULATION_FILE)
        self.hof_path = os.path.join(directory, HALL_OF_FAME_FILE)
        self.rng = RandomSource(seed)
        self.keys = keys                       # generation of the run -> typed keys
        self.current = bytearray(POPULATION_BYTES)
        self.next = bytearray(POPULATION_BYTES)
        self.scores = [0] * 37
        self.generation = 0.0
        self.a_ecraser = 0.0
        self.h_meil = -1
        self.save_interval = 0
        self.nets = None

    # -------- population file
    def load_population(self):
        try:
            fd = os.open(self.pop_path, os.O_RDWR | getattr(os, 'O_BINARY', 0))
        except OSError:
            fail(b"Ouverture fichier sauvegarde ne se fait pas\n")
        try:
            if os.fstat(fd).st_size < POPULATION_BYTES:
                fail(b"Fichier sauvegarde trop court\n")
            pos = 0
            for k in range(1, NETWORKS + 1):
                n = NETWORK_BYTES + (4 if k == 1 else 0)
                try:
                    data = os.read(fd, n)
                except OSError:
                    fail(b"lecture ne se fait pas\nhandle %d" % fd)
                self.current[pos:pos + len(data)] = data
                pos += n
        finally:
            os.close(fd)
        self.generation = struct.unpack_from('<f', self.current, 0)[0]
        self.nets = networks_of(self.current)

    def save_population(self):
        try:
            fd = os.open(self.pop_path, os.O_WRONLY | os.O_CREAT | getattr(os, 'O_BINARY', 0), 0o600)
        except OSError:
            fail(b"Ouverture fichier sauvegarde ne se fait pas")
        self.current[0:4] = f32_bytes(self.generation)
        pos = 0
        for k in range(1, NETWORKS + 1):
            n = NETWORK_BYTES + (4 if k == 1 else 0)
            try:
                os.write(fd, self.current[pos:pos + n])
            except OSError:
                os.close(fd)
                fail(b"Ecriture ne se fait pashandle %d " % fd)
            pos += n
        os.close(fd)

    # -------- hall-of-fame file
    def open_hall_of_fame(self):
        try:
            self.h_meil = os.open(self.hof_path, os.O_RDWR | os.O_CREAT | getattr(os, 'O_BINARY', 0), 0o600)
        except OSError:
            fail(b"Ouverture fichier meillfl ne se fait pas")
        try:
            header = os.read(self.h_meil, 4)
        except OSError:
            fail(b"lecture meillfl ne se fait pash_meil %d" % self.h_meil)
        if len(header) < 4:
            # New or empty file: give it a header and the loaded population.
            image = bytearray(self.current)
            image[0:4] = f32_bytes(1.0)
            os.lseek(self.h_meil, 0, os.SEEK_SET)
            try:
                os.write(self.h_meil, image)
            except OSError:
                fail(b"\xe9criture meilleur ne se fait pash_meil %d " % self.h_meil)
            self.a_ecraser = 1.0
            return
        value = struct.unpack('<f', header)[0]
        if not (1.0 <= value <= 36.0 and value == math.floor(value)):
            fail(b"Entete meillfl invalide")
        self.a_ecraser = value

    def write_slot(self, k):
        os.lseek(self.h_meil, (int(self.a_ecraser) - 1) * NETWORK_BYTES + 4, os.SEEK_SET)
        off = network_offset(k)
        try:
            os.write(self.h_meil, self.current[off:off + NETWORK_BYTES])
        except OSError:
            fail(b"\xe9criture meilleur ne se fait pash_meil %d " % self.h_meil)

    def read_hall_of_fame(self):
        os.lseek(self.h_meil, 4, os.SEEK_SET)
        for s in range(1, NETWORKS + 1):
            try:
                data = os.read(self.h_meil, NETWORK_BYTES)
            except OSError:
                fail(b"lecture meilleur ne se fait pash_meil %d " % self.h_meil)
            off = network_offset(s)
            self.current[off:off + len(data)] = data
        self.nets = networks_of(self.current)

    def write_header(self, slot):
        os.lseek(self.h_meil, 0, os.SEEK_SET)
        self.a_ecraser = float(slot)
        try:
            os.write(self.h_meil, f32_bytes(self.a_ecraser))
        except OSError:
            fail(b"\xe9criture a_ecraser ne se fait pash_meil %d " % self.h_meil)

    # -------- tournaments
    def play_pair(self, a, b):
        board = reset_board()
        if self.rng.draw() < 16384:
            first, second = b, a
        else:
            first, second = a, b
        play_match(board, self.nets[first], self.nets[second], self.rng)
        p1, p2 = score_match(*count_pieces(board))
        self.scores[first] = wrap16(self.scores[first] + p1)
        self.scores[second] = wrap16(self.scores[second] + p2)

    def play_tournament(self):
        self.scores = [0] * 37
        for g in range(1, 7):
            for a in range(6 * g - 5, 6 * g):
                for b in range(a + 1, 6 * g + 1):
                    self.play_pair(a, b)

    def play_all_pairs(self):
        self.scores = [0] * 37
        for i in range(1, NETWORKS):
            for j in range(i + 1, NETWORKS + 1):
                self.play_pair(i, j)

    def admit_champion(self, k):
        out(b"Le reseau %d est selectionn\xe9 avec le score de %d\n" % (k, self.scores[k]))
        self.write_slot(k)
        self.save_population()
        saved = self.scores[1:37]
        self.read_hall_of_fame()
        self.play_all_pairs()
        weakest = 1
        for n in range(2, NETWORKS + 1):
            if self.scores[n] < self.scores[weakest]:
                weakest = n
        self.write_header(weakest)
        out(b"Le reseau %d score = %d lors du prochain passage.\n" % (weakest, self.scores[weakest]))
        self.load_population()
        self.scores[1:37] = saved

    # -------- breeding
    def breed(self, total):
        table = roulette_table(self.scores, total)
        parents = [0] + [pick_parent(table, self.rng.draw()) for _ in range(NETWORKS)]
        cur, nxt = self.current, self.next
        for p in range(1, 19):
            a, b = p, p + 18
            oa, ob = network_offset(a), network_offset(b)
            op, oq = network_offset(parents[2 * p - 1]), network_offset(parents[2 * p])
            c = 4 * cut_point(self.rng.draw())
            e = NETWORK_BYTES
            nxt[oa:oa + c] = cur[op:op + c]
            nxt[ob:ob + c] = cur[oq:oq + c]
            nxt[ob + c:ob + e] = cur[op + c:op + e]
            nxt[oa + c:oa + e] = cur[oq + c:oq + e]
        self.current, self.next = nxt, cur

    def mutate(self):
        for k in range(1, NETWORKS + 1):
            if self.rng.draw() > 25000:
                base = network_offset(k) - 4
                for _ in range(30):
                    pos = mutation_position(self.rng.draw())
                    value = (self.rng.draw() - 16384) / 16384
                    struct.pack_into('<f', self.current, base + 4 * pos, value)
        self.nets = networks_of(self.current)

    # -------- main line
    def ask_stop(self, typed):
        out(b" Voulez-vous stopper le programme (O/N) ? \n")
        for key in typed[1:]:              # the interrupting key is discarded
            if key in 'Oo':
                return True
            if key in 'Nn':
                return False
        raise SystemExit("key schedule ran out without an answer")

    def run_generations(self):
        run = 0
        while True:
            run += 1
            self.generation = f32(self.generation + 1.0)
            out(b"Generation = " + (b"%g" % self.generation) + b" / ")
            self.play_tournament()
            total = 0
            best = 1
            for n in range(1, NETWORKS + 1):
                total += self.scores[n]
                if self.scores[n] > self.scores[best]:
                    best = n
            out(b"Le meilleur score de la manche est %d par le reseau %d\n" % (self.scores[best], best))
            if self.scores[best] > 16:
                self.admit_champion(best)
            self.save_interval += 1
            if self.save_interval > 199:
                self.save_population()
                self.save_interval = 0
            self.breed(total)
            self.mutate()
            if run in self.keys and self.ask_stop(self.keys[run]):
                return

    def run(self):
        out(b"Jeux d'Elvarin : programme d'apprentissage rapide.\n")
        out(b"Nb neurones = %d nb connexion = %d nb octet total = %d\n"
            % (NEURONS, CONNECTIONS, POPULATION_BYTES))
        try:
            self.load_population()
            self.open_hall_of_fame()
            self.run_generations()
            self.save_population()
        except Stop as stop:
            return stop.status
        finally:
            if self.h_meil >= 0:
                os.close(self.h_meil)
        return 0


# ---------------------------------------------------------------- first population
def make_population(directory, seed):
    path = os.path.join(directory, POPULATION_FILE)
    if os.path.exists(path):
        sys.stderr.write("%s exists already\n" % path)
        return 1
    os.makedirs(directory, exist_ok=True)
    rng = RandomSource(seed)
    weights = array('f', [0.0])
    weights.extend((rng.draw() - 16384) / 16384 for _ in range(CONNECTIONS * NETWORKS))
    if sys.byteorder != 'little':
        weights.byteswap()
    with open(path, 'xb') as f:
        f.write(weights.tobytes())
    return 0


def parse_keys(text):
    keys = {}
    for item in text.split(','):
        gen, _, typed = item.partition('=')
        if len(typed) < 2:
            raise SystemExit("each key item is GENERATION=KEYS with at least two keys")
        keys[int(gen)] = typed
    return keys


def main(argv):
    parser = argparse.ArgumentParser(description="Reference model of the Elvarin trainer.")
    sub = parser.add_subparsers(dest='mode', required=True)
    mp = sub.add_parser('make-population')
    mp.add_argument('--seed', type=int, required=True)
    mp.add_argument('directory')
    rp = sub.add_parser('run')
    rp.add_argument('--seed', type=int, required=True)
    group = rp.add_mutually_exclusive_group(required=True)
    group.add_argument('--stop-after', type=int)
    group.add_argument('--keys')
    rp.add_argument('directory')
    args = parser.parse_args(argv)
    if args.mode == 'make-population':
        return make_population(args.directory, args.seed)
    keys = parse_keys(args.keys) if args.keys else {args.stop_after: ' O'}
    return Trainer(args.directory, args.seed, keys).run()


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
