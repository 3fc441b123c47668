#!/usr/bin/env python3
"""A second, independent implementation of the strength measure, to check the
strength tool against: the rules on 64-bit masks, the networks of a hall-of-fame
file with single-precision sums, the game's computer player at a level, the
reference opponents (square tables, mobility, searches) and the protocol of a
measured game with random moves.

    wpc_protocol.py play FILE PLAYER OPPONENT [--epsilon E] [--opening M] [--games N] [--seed S]
        PLAYER net:K or level:L; OPPONENT random, wpc, wpc-ab2, wpc-ab4, mobility,
        mobility-ab2, mobility-ab4, novice, quiet, table-N or table-N-ab2.
        Prints "wins draws losses" from the player's side.
    wpc_protocol.py probe FILE NETWORK OPPONENT[,OPPONENT...] < positions
        Each input line: 64 cells (".", "w", "b"; row 1 first) and the side to move
        ("w" or "b"). Prints for each the opponents' evaluations, search values and
        best squares (see probe_line), and the network's 64 outputs as float bits.
"""
import array
import random
import sys
from decimal import Decimal

# The weights of the WPC heuristic as the issue gives them, rows top to bottom.
WPC_TEXT = """
 1.00 -0.25  0.10  0.05  0.05  0.10 -0.25  1.00
-0.25 -0.25  0.01  0.01  0.01  0.01 -0.25 -0.25
 0.10  0.01  0.05  0.02  0.02  0.05  0.01  0.10
 0.05  0.01  0.02  0.01  0.01  0.02  0.01  0.05
 0.05  0.01  0.02  0.01  0.01  0.02  0.01  0.05
 0.10  0.01  0.05  0.02  0.02  0.05  0.01  0.10
-0.25 -0.25  0.01  0.01  0.01  0.01 -0.25 -0.25
 1.00 -0.25  0.10  0.05  0.05  0.10 -0.25  1.00
"""
# In hundredths, exact: bit i (0..63) is column i % 8 + 1 of row i // 8 + 1.
WPC = [int(Decimal(t) * 100) for t in WPC_TEXT.split()]
FINISHED = 100000  # 1000 in hundredths

FULL = (1 << 64) - 1
NOT_FIRST_COLUMN = sum(1 << i for i in range(64) if i % 8 != 0)
NOT_LAST_COLUMN = sum(1 << i for i in range(64) if i % 8 != 7)


def shifts():
    """The eight neighbours of every bit at once: (shift, mask of the result)."""
    return [
        (1, NOT_FIRST_COLUMN), (-1, NOT_LAST_COLUMN), (8, FULL), (-8, FULL),
        (9, NOT_FIRST_COLUMN), (7, NOT_LAST_COLUMN), (-7, NOT_FIRST_COLUMN), (-9, NOT_LAST_COLUMN),
    ]


SHIFTS = shifts()


def step(bits, shift, mask):
    return ((bits << shift) if shift > 0 else (bits >> -shift)) & mask & FULL


def legal(own, opp):
    empty = ~(own | opp) & FULL
    moves = 0
    for shift, mask in SHIFTS:
        run = step(own, shift, mask) & opp
        for _ in range(5):
            run |= step(run, shift, mask) & opp
        moves |= step(run, shift, mask) & empty
    return moves


def play(own, opp, bit):
    """The two sides after `own` plays on `bit`."""
    turned = 0
    for shift, mask in SHIFTS:
        line = 0
        cell = step(bit, shift, mask)
        while cell & opp:
            line |= cell
            cell = step(cell, shift, mask)
        if cell & own:
            turned |= line
    return own | bit | turned, opp & ~turned


def bits_of(mask):
    out = []
    while mask:
        low = mask & -mask
        out.append(low)
        mask ^= low
    return out


def square(bit):
    return bit.bit_length()  # square s is bit s - 1


def popcount(x):
    return bin(x).count("1")


# ---- the opponents' evaluations ---------------------------------------------------

def table_value(table):
    """The evaluation of a table of 64 square values: own pieces minus the opponent's."""
    rows = [[sum(table[8 * i + j] for j in range(8) if v >> j & 1) for v in range(256)] for i in range(8)]
    return lambda own, opp: sum(rows[i][own >> (8 * i) & 255] - rows[i][opp >> (8 * i) & 255] for i in range(8))


def symmetries(row, col):
    """The squares (0..63) that the board's eight symmetries make of (row, col)."""
    images = set()
    for r, c in ((row, col), (col, row)):
        for rr, cc in ((r, c), (7 - r, c), (r, 7 - c), (7 - r, 7 - c)):
            images.add(8 * rr + cc)
    return images


# The classes of squares by a member (row, column) from the top-left corner: a1, b1, c1,
# d1, b2, c2, d2, c3, d3, d4 (letters are columns).
CLASS_MEMBERS = [(0, 0), (0, 1), (0, 2), (0, 3), (1, 1), (1, 2), (1, 3), (2, 2), (2, 3), (3, 3)]


def symmetric_table(class_values):
    table = [None] * 64
    for (row, col), value in zip(CLASS_MEMBERS, class_values):
        for square in symmetries(row, col):
            table[square] = value
    assert None not in table
    return table


NOVICE = [100, 10, 10, 10, -50, 1, 1, 1, 1, 1]
QUIET = [100, -20, 5, 5, -50, -1, -1, -1, -1, -1]
FAMILY_RANGES = [(40, 160), (-40, 20), (-5, 35), (-5, 25), (-80, -5), (-20, 10), (-15, 10), (-5, 20), (-5, 15),
                 (-10, 10)]
M64 = (1 << 64) - 1
GOLDEN = 0x9E3779B97F4A7C15


def splitmix_out(z):
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9 & M64
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB & M64
    return z ^ (z >> 31)


def family_values(n):
    """Table n of the seeded family: each class's value uniform in its range, drawn in
    class order by splitmix64 started at mix(1000000, n), without bias."""
    state = splitmix_out(1000000 ^ splitmix_out((n + GOLDEN) & M64))
    values = []
    for low, high in FAMILY_RANGES:
        size = high - low + 1
        limit = M64 - M64 % size
        while True:
            state = (state + GOLDEN) & M64
            bits = splitmix_out(state)
            if bits < limit:
                break
        values.append(low + bits % size)
    return values


def mobility_value(own, opp):
    corners = (1 << 0) | (1 << 7) | (1 << 56) | (1 << 63)
    return (100 * (popcount(own & corners) - popcount(opp & corners))
            + 10 * (popcount(legal(own, opp)) - popcount(legal(opp, own))))


wpc_value = table_value(WPC)


def opponent_kind(name):
    """(evaluation, plies) of an opponent that values positions, or None."""
    base, plies = name, 1
    for suffix, depth in (("-ab2", 2), ("-ab4", 4)):
        if name.endswith(suffix):
            base, plies = name[: -len(suffix)], depth
    if base == "wpc":
        return wpc_value, plies
    if base == "mobility":
        return mobility_value, plies
    if base in ("novice", "quiet") and plies == 1:
        return table_value(symmetric_table(NOVICE if base == "novice" else QUIET)), 1
    if base.startswith("table-") and plies <= 2 and base[6:].isdigit() and base[6] != "0":
        return table_value(symmetric_table(family_values(int(base[6:])))), plies
    return None


# ---- the searching players ---------------------------------------------------------

def finished_value(own, opp):
    diff = popcount(own) - popcount(opp)
    return FINISHED if diff > 0 else -FINISHED if diff < 0 else 0


def minimax(evaluate, own, opp, depth, pass_is_ply=True, ends=True):
    """Plain minimax, no pruning: the value for the side to move (`own`). The flags
    make the faults that the probes must catch: a pass that costs no ply, a finished
    game valued like any other position (ends False), or unless the board is full
    (ends "full")."""
    moves = legal(own, opp)
    seen_end = ends is True or (ends == "full" and own | opp == M64)
    if seen_end and not moves and not legal(opp, own):
        return finished_value(own, opp)
    if depth == 0:
        return evaluate(own, opp)
    if not moves:
        if not legal(opp, own):
            return evaluate(own, opp)
        return -minimax(evaluate, opp, own, depth - 1 if pass_is_ply else depth, pass_is_ply, ends)
    best = None
    for bit in bits_of(moves):
        mine, theirs = play(own, opp, bit)
        value = -minimax(evaluate, theirs, mine, depth - 1, pass_is_ply, ends)
        best = value if best is None else max(best, value)
    return best


def choices(evaluate, own, opp, plies, **faults):
    """(best value, squares sharing it): one ply values the position after each move,
    deeper plies search it."""
    values = {}
    for bit in bits_of(legal(own, opp)):
        mine, theirs = play(own, opp, bit)
        values[square(bit)] = evaluate(mine, theirs) if plies == 1 else -minimax(evaluate, theirs, mine, plies - 1,
                                                                                 **faults)
    if not values:
        return None, []
    best = max(values.values())
    return best, sorted(s for s, v in values.items() if v == best)


# ---- networks -------------------------------------------------------------------

CONNECTIONS = 4260


def load_weights(path):
    weights = array.array("f")
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 4 + 36 * CONNECTIONS * 4:
        raise SystemExit(f"{path}: not a complete hall-of-fame file")
    weights.frombytes(data[: 4 + 36 * CONNECTIONS * 4])
    if sys.byteorder != "little":
        weights.byteswap()
    return weights  # weights[4260 * (k - 1) + w] is weight w of network k


def outputs(weights, k, own, opp, side_is_black):
    """The 64 outputs of network k, each sum rounded to single precision after every addition."""
    base = CONNECTIONS * (k - 1)
    on = []
    for s in range(1, 65):
        bit = 1 << (s - 1)
        if opp & bit:
            on.append(2 * s - 1)
        elif own & bit:
            on.append(2 * s)
    if side_is_black:
        on.append(129)
    h1 = array.array("f", [0.0] * 20)
    for i in on:
        row = base + 20 * (i - 1)
        for j in range(20):
            h1[j] += weights[row + j + 1]
    h2 = array.array("f", [0.0] * 20)
    for h in range(20):
        if h1[h] > 0.0:
            row = base + 2580 + 20 * h
            for m in range(20):
                h2[m] += weights[row + m + 1]
    out = array.array("f", [0.0] * 64)
    for h in range(20):
        if h2[h] > 0.0:
            row = base + 2980 + 64 * h
            for o in range(64):
                out[o] += weights[row + o + 1]
    return out


class Lcg:
    """The programs' random source: 0..32767 from a 32-bit linear congruential state."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF
        self.draws = 0

    def draw(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        self.draws += 1
        return (self.state >> 16) & 0x7FFF


def network_choice(weights, k, own, opp, side_is_black, lcg):
    moves = legal(own, opp)
    if not moves:
        return 0
    out = outputs(weights, k, own, opp, side_is_black)
    squares = [square(b) for b in bits_of(moves)]
    best = max(out[s - 1] for s in squares)
    ties = [s for s in squares if out[s - 1] == best]
    if len(ties) == 1:
        return ties[0]
    r = lcg.draw()
    return ties[((r + 1) * len(ties) + 32767) // 32768 - 1]


def network_match(weights, a, b, lcg):
    """A match from the opening: a plays white and moves first. Returns the points of a."""
    white, black = (1 << 27) | (1 << 36), (1 << 28) | (1 << 35)  # squares 28, 37 white; 29, 36 black
    moves = 0
    while True:
        s1 = network_choice(weights, a, white, black, False, lcg)
        if s1:
            white, black = play(white, black, 1 << (s1 - 1))
            moves += 1
        s2 = network_choice(weights, b, black, white, True, lcg)
        if s2:
            black, white = play(black, white, 1 << (s2 - 1))
            moves += 1
        if (s1 == 0 and s2 == 0) or moves == 60:
            break
    margin = popcount(white) - popcount(black)
    return (4 if margin >= 40 else 3) if margin > 0 else 0 if margin < 0 else 1


class LevelPlayer:
    """The game's computer player at level L: networks 1..L play every ordered pairing
    from the opening, only the white network is credited, and the first network with
    the most points picks the move. A tournament that needed no random draw always
    ends the same, so its winner is kept."""

    def __init__(self, weights, level):
        self.weights, self.level, self.known_winner = weights, level, None

    def winner(self, lcg):
        if self.known_winner is not None:
            return self.known_winner
        draws_before = lcg.draws
        scores = [0] * 37
        for i in range(1, self.level + 1):
            for j in range(1, self.level + 1):
                if i != j:
                    scores[i] += network_match(self.weights, i, j, lcg)
        best = 1
        for n in range(2, 37):
            if scores[n] > scores[best]:
                best = n
        if lcg.draws == draws_before:
            self.known_winner = best
        return best


# ---- the measured game ------------------------------------------------------------

def protocol_game(choose_player, opponent, player_is_white, epsilon, opening, rng):
    """One game; returns the player's pieces minus the opponent's at the end."""
    sides = [(1 << 27) | (1 << 36), (1 << 28) | (1 << 35)]  # white, black
    to_move, played = 0, 0
    while True:
        own, opp = sides[to_move], sides[1 - to_move]
        moves = legal(own, opp)
        if not moves:
            if not legal(opp, own):
                break
            to_move = 1 - to_move
            continue
        players_turn = (to_move == 0) == player_is_white
        if played < opening or rng.random() < epsilon:
            choice = rng.choice(sorted(square(b) for b in bits_of(moves)))
        elif players_turn:
            choice = choose_player(own, opp, to_move == 1)
        else:
            choice = opponent(own, opp)
        own, opp = play(own, opp, 1 << (choice - 1))
        sides[to_move], sides[1 - to_move] = own, opp
        played += 1
        to_move = 1 - to_move
    white_minus_black = popcount(sides[0]) - popcount(sides[1])
    return white_minus_black if player_is_white else -white_minus_black


def make_opponent(name, rng):
    if name == "random":
        return lambda own, opp: rng.choice(sorted(square(b) for b in bits_of(legal(own, opp))))
    if name == "greedy":
        def greedy(own, opp):
            turned = {square(b): popcount(play(own, opp, b)[0]) for b in bits_of(legal(own, opp))}
            most = max(turned.values())
            return rng.choice(sorted(s for s, n in turned.items() if n == most))
        return greedy
    evaluate, plies = opponent_kind(name)
    return lambda own, opp: rng.choice(choices(evaluate, own, opp, plies)[1])


def measure(path, player, opponent_name, epsilon, opening, games, seed):
    weights = load_weights(path)
    kind, number = player.split(":")
    number = int(number)
    level = LevelPlayer(weights, number) if kind == "level" else None
    tally = [0, 0, 0]
    for g in range(games):
        rng = random.Random(f"{seed}/{player}/{opponent_name}/{g}")
        lcg = Lcg(rng.getrandbits(32))
        if level:
            choose = lambda own, opp, black: network_choice(weights, level.winner(lcg), own, opp, black, lcg)
        else:
            choose = lambda own, opp, black: network_choice(weights, number, own, opp, black, lcg)
        margin = protocol_game(choose, make_opponent(opponent_name, rng), g % 2 == 0, epsilon, opening, rng)
        tally[0 if margin > 0 else 1 if margin == 0 else 2] += 1
    return tally


# ---- probing single positions ----------------------------------------------------------

def parse_position(line):
    cells, side = line.split()
    white = sum(1 << i for i, c in enumerate(cells) if c == "w")
    black = sum(1 << i for i, c in enumerate(cells) if c == "b")
    return (white, black, False) if side == "w" else (black, white, True)


def probe_line(weights, k, line, opponents):
    """NAME=E/V:S,S ... net=HEX for the side to move: each opponent's evaluation E, the
    value V of its search over its plies, and its best squares S."""
    own, opp, black = parse_position(line)
    parts = []
    for name in opponents:
        evaluate, plies = opponent_kind(name)
        _, best = choices(evaluate, own, opp, plies)
        searched = minimax(evaluate, own, opp, plies) if best else "-"
        parts.append(f"{name}={evaluate(own, opp)}/{searched}:" + (",".join(map(str, best)) or "-"))
    out = outputs(weights, k, own, opp, black)
    parts.append("net=" + out.tobytes().hex() if sys.byteorder == "little" else "net=?")
    return " ".join(parts)


def main(argv):
    if len(argv) >= 4 and argv[1] == "play":
        options = {"--epsilon": "0", "--opening": None, "--games": "200", "--seed": "1"}
        rest = argv[5:]
        for name, value in zip(rest[::2], rest[1::2]):
            if name not in options:
                raise SystemExit(__doc__)
            options[name] = value
        epsilon = float(options["--epsilon"])
        opening = int(options["--opening"]) if options["--opening"] is not None else (0 if epsilon > 0 else 4)
        tally = measure(argv[2], argv[3], argv[4], epsilon, opening, int(options["--games"]), options["--seed"])
        print(*tally)
        return 0
    if len(argv) == 5 and argv[1] == "probe":
        weights = load_weights(argv[2])
        for line in sys.stdin:
            if line.strip():
                print(probe_line(weights, int(argv[3]), line, argv[4].split(",")))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
