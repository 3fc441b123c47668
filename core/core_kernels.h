// The fast paths of the rules, the pass and the match: one set per instruction set,
// chosen once at start-up from what the processor offers. Every set gives the
// results of the plain code bit for bit; the tests run each available set.
#pragma once
#include <cstdint>

struct CoreKernels {
    void (*find_legal_moves)(uint8_t side);
    void (*play_move)(int32_t square, uint8_t side);
    void (*evaluate_network)(int32_t k);
    int32_t (*choose_move)(uint8_t side);
    void (*play_match)(int32_t a, int32_t b);
};

enum class KernelSet : int32_t {
    baseline, // any x86-64 processor (SSE2), or plain C++ elsewhere
    avx2,     // AVX2 with BMI1, BMI2 and POPCNT
    portable, // plain C++ on every processor; never the fastest, kept for the tests
};
inline constexpr KernelSet kernel_sets[] = {KernelSet::baseline, KernelSet::avx2, KernelSet::portable};

extern const CoreKernels* active_kernels;

const char* kernel_set_name(KernelSet set);
// True when the set is built in and the processor runs it.
bool kernel_set_available(KernelSet set);
// Makes an available set the one in use (the tests and benchmarks go through each).
void use_kernel_set(KernelSet set);
KernelSet kernel_set_in_use();
