"""Checks of the trainer's reference model on small, known cases."""

import os
import random
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import trainer_reference as ref  # noqa: E402

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'trainer_reference.py')


class FixedDraws:
    """Random source that hands out a given list of draws."""

    def __init__(self, draws):
        self.draws = list(draws)

    def draw(self):
        return self.draws.pop(0)


class BoardAndMoves(unittest.TestCase):
    def test_opening(self):
        board = ref.reset_board()
        self.assertEqual(ref.find_legal_moves(board, 1), [21, 30, 35, 44])
        self.assertEqual(ref.find_legal_moves(board, 2), [20, 27, 38, 45])
        self.assertEqual(ref.count_pieces(board), (2, 2))
        self.assertEqual(ref.active_inputs(board, 1), [56, 57, 71, 74])
        self.assertEqual(ref.active_inputs(board, 2), [55, 58, 72, 73, 129])
        ref.play_move(board, 21, 1)
        self.assertEqual([s for s in range(65) if board[s] == 1], [21, 28, 29, 37])
        self.assertEqual(ref.count_pieces(board), (4, 1))

    def test_open_runs_capture_nothing(self):
        board = [0] * 65
        board[2] = board[3] = 2          # row run from square 1 open at square 4
        board[10] = 2                    # diagonal run from square 1 open at square 19
        self.assertEqual(ref.find_legal_moves(board, 1), [])
        board[4] = 1
        self.assertEqual(ref.find_legal_moves(board, 1), [1])
        ref.play_move(board, 1, 1)
        self.assertEqual(board[1:5], [1, 1, 1, 1])
        self.assertEqual(board[10], 2)

    def test_score_match(self):
        for c1, c2, points in ((33, 31, (3, 0)), (52, 12, (4, 0)), (51, 12, (3, 0)),
                               (32, 32, (1, 1)), (13, 0, (3, 0)), (12, 52, (0, 4))):
            self.assertEqual(ref.score_match(c1, c2), points)


class RandomAndChoice(unittest.TestCase):
    def test_first_draw_from_state_one(self):
        self.assertEqual(ref.RandomSource(1).draw(), 41)

    def test_tie_shares(self):
        self.assertEqual([ref.tie_index(r, 2) for r in (0, 16383, 16384, 32767)], [1, 1, 2, 2])
        self.assertEqual([ref.tie_index(r, 3) for r in (0, 10921, 10922, 21844, 21845, 32767)],
                         [1, 1, 2, 2, 3, 3])

    def test_choice(self):
        outputs = [0.0] * 64
        self.assertEqual(ref.choose_from_outputs(outputs, [], FixedDraws([])), 0)
        outputs[20], outputs[29], outputs[0] = 0.5, 0.25, 9.0    # squares 21, 30, 1 (1 illegal)
        self.assertEqual(ref.choose_from_outputs(outputs, [21, 30, 35, 44], FixedDraws([])), 21)
        outputs[29] = 0.5
        self.assertEqual(ref.choose_from_outputs(outputs, [21, 30, 35], FixedDraws([16384])), 30)
        outputs[29] = ref.f32(0.5 + 2.0 ** -24)                 # differs in the last bit: no tie
        self.assertEqual(ref.choose_from_outputs(outputs, [21, 30, 35], FixedDraws([])), 30)
        legal = list(range(1, 65))
        self.assertEqual(ref.choose_from_outputs([0.0] * 64, legal, FixedDraws([32767])), 64)

    def test_forward_pass_matches_literal_float32_pass(self):
        rnd = random.Random(7)
        weights = tuple(struct.unpack('<f', struct.pack('<f', rnd.uniform(-1, 1)))[0]
                        for _ in range(ref.CONNECTIONS))
        net = ref.Network(weights)
        board = ref.reset_board()
        rng = ref.RandomSource(3)
        for side in (1, 2) * 12:
            legal = ref.find_legal_moves(board, side)
            if legal:
                out = ref.evaluate_network(net, ref.active_inputs(board, side))
                self.assertEqual(list(out), literal_pass(weights, board, side))
                ref.play_move(board, ref.choose_from_outputs(out, legal, rng), side)


def literal_pass(weights, board, side):
    """The forward pass over a full activation array, one rounded addition at a time."""
    def r32(x):
        return struct.unpack('<f', struct.pack('<f', x))[0]
    w = (None,) + weights
    act = [0.0] * 234
    for s in range(1, 65):
        if board[s]:
            act[2 * s - (board[s] != side)] = 1.0
    act[129] = 0.0 if side == 1 else 1.0
    for lo, n_in, first, n_out, block in ((1, 129, 130, 20, 0), (130, 20, 150, 20, 2580),
                                         (150, 20, 170, 64, 2980)):
        for i in range(n_in):
            if act[lo + i] == 1.0:
                for j in range(n_out):
                    act[first + j] = r32(act[first + j] + w[block + n_out * i + j + 1])
        if first < 170:
            for j in range(first, first + n_out):
                act[j] = 1.0 if act[j] > 0.0 else 0.0
    return act[170:234]


class Breeding(unittest.TestCase):
    def test_roulette_all_fives(self):
        table = ref.roulette_table([0] + [5] * 36, 180)
        self.assertEqual(table[1:36], [910 * i for i in range(1, 36)])
        self.assertEqual([ref.pick_parent(table, r) for r in (0, 910, 911, 31850, 31851, 32767)],
                         [1, 1, 2, 35, 36, 36])

    def test_half_down(self):
        self.assertEqual(16 * ref.f32(32767 / 224), 2340.5)
        self.assertEqual(ref.half_down(16 * ref.f32(32767 / 224)), 2340)
        self.assertEqual(ref.half_down(13 * ref.f32(32767 / 182)), 2340)
        self.assertEqual([ref.half_down(x) for x in (2340.25, 2340.75, 2340.0)], [2340, 2341, 2340])
        self.assertEqual(ref.roulette_table([0, 0, 16] + [0] * 34, 224)[2], 2340)

    def test_cut_point(self):
        self.assertEqual([ref.cut_point(r) for r in (0, 1, 32759, 32760, 32767)], [0, 1, 4259, 4260, 4260])

    def test_mutation_positions(self):
        self.assertEqual({ref.mutation_position(r) for r in range(0, 12)}, {1})
        self.assertEqual(ref.mutation_position(12), 2)
        self.assertEqual({ref.mutation_position(r) for r in range(32764, 32768)}, {4260})
        self.assertEqual(ref.mutation_position(32763), 4259)
        counts = [0] * 4261
        for r in range(32768):
            counts[ref.mutation_position(r)] += 1
        self.assertEqual(counts[1], 12)
        self.assertTrue(all(counts[p] in (7, 8) for p in range(2, 4260)))

    def test_float_headers(self):
        self.assertEqual(ref.f32_bytes(57.0), bytes.fromhex('00006442'))
        self.assertEqual(ref.f32_bytes(12.0), bytes.fromhex('00004041'))


class Runs(unittest.TestCase):
    """Whole runs of the model on a fresh population in a scratch folder."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        self.assertEqual(self.cli('make-population', '--seed', '12345').returncode, 0)
        self.pop = self.path('elvarfl.don')
        self.hof = self.path('meillfl.don')

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)

    def cli(self, *args):
        return subprocess.run([sys.executable, SCRIPT, *args, self.dir], capture_output=True)

    def read(self, name):
        with open(self.path(name), 'rb') as f:
            return f.read()

    def test_first_population(self):
        data = self.read('elvarfl.don')
        rng = ref.RandomSource(12345)
        self.assertEqual(len(data), ref.POPULATION_BYTES)
        self.assertEqual(data[:4], bytes(4))
        self.assertEqual(struct.unpack_from('<f', data, 4)[0], (rng.draw() - 16384) / 16384)
        self.assertEqual(self.cli('make-population', '--seed', '1').returncode, 1)
        self.assertEqual(self.read('elvarfl.don'), data)

    def test_new_hall_of_fame_then_restart(self):
        start = self.read('elvarfl.don')
        with open(self.hof, 'wb'):
            pass                                          # empty file counts as new
        run = self.cli('run', '--seed', '1000', '--stop-after', '1')
        self.assertEqual(run.returncode, 0)
        self.assertTrue(run.stdout.startswith(
            b"Jeux d'Elvarin : programme d'apprentissage rapide.\n"
            b"Nb neurones = 233 nb connexion = 4260 nb octet total = 613444\n"
            b"Generation = 1 / Le meilleur score de la manche est "))
        self.assertTrue(run.stdout.endswith(b"\n Voulez-vous stopper le programme (O/N) ? \n"))
        self.assertEqual(self.read('meillfl.don'), bytes.fromhex('0000803f') + start[4:])
        self.assertEqual(self.read('elvarfl.don')[:4], ref.f32_bytes(1.0))
        run = self.cli('run', '--seed', '1000', '--keys', '1=xzN,2= O')
        self.assertEqual(run.stdout.count(b" Voulez-vous stopper"), 2)
        self.assertIn(b"Generation = 2 / ", run.stdout)
        self.assertIn(b"Generation = 3 / ", run.stdout)
        self.assertEqual(self.read('elvarfl.don')[:4], ref.f32_bytes(3.0))

    def test_hall_of_fame_step(self):
        run = self.cli('run', '--seed', '5', '--stop-after', '2')
        lines = run.stdout.split(b'\n')
        self.assertEqual(lines[3], b"Generation = 2 / Le meilleur score de la manche est 17 par le reseau 13")
        self.assertEqual(lines[4], b"Le reseau 13 est selectionn\xe9 avec le score de 17")
        self.assertEqual(lines[5], b"Le reseau 30 score = 27 lors du prochain passage.")
        self.assertEqual(self.read('meillfl.don')[:4], ref.f32_bytes(30.0))

    def test_bad_files_stop_at_start_up(self):
        with open(self.hof, 'wb') as f:
            f.write(ref.f32_bytes(7.5) + bytes(100))
        for header in (7.5, 0.0, 37.0, float('nan')):
            with open(self.hof, 'r+b') as f:
                f.write(ref.f32_bytes(header))
            before = self.read('elvarfl.don'), self.read('meillfl.don')
            run = self.cli('run', '--seed', '1', '--stop-after', '1')
            self.assertEqual(run.returncode, 1)
            self.assertEqual((self.read('elvarfl.don'), self.read('meillfl.don')), before)
        os.remove(self.hof)
        with open(self.pop, 'r+b') as f:
            f.truncate(ref.POPULATION_BYTES - 1)
        short = self.read('elvarfl.don')
        self.assertEqual(self.cli('run', '--seed', '1', '--stop-after', '1').returncode, 1)
        self.assertEqual(self.read('elvarfl.don'), short)
        os.remove(self.pop)
        run = self.cli('run', '--seed', '1', '--stop-after', '1')
        self.assertEqual(run.returncode, 1)
        self.assertTrue(run.stdout.endswith(b"613444\nOuverture fichier sauvegarde ne se fait pas\n"))


if __name__ == '__main__':
    unittest.main()
