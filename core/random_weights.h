// Random weights, on the scale on which mutation and first populations draw them.
#pragma once

// A weight from one draw of the random source: -1 .. 0.99993896484375 in steps of 1/16384.
float random_weight();
// Networks 1..36 of `population` get random weights, one draw each in the order of the
// file; the header element stays as it is.
void fill_with_random_weights(float* population);
