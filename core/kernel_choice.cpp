#include "core_kernels.h"

extern const CoreKernels baseline_kernels;
extern const CoreKernels portable_kernels;
#if defined(ELVARIN_AVX2_KERNELS)
extern const CoreKernels avx2_kernels;
#endif

// The baseline set until start-up has looked at the processor.
constinit const CoreKernels* active_kernels = &baseline_kernels;

namespace {

KernelSet set_in_use = KernelSet::baseline;

const CoreKernels* kernels_of(KernelSet set)
{
#if defined(ELVARIN_AVX2_KERNELS)
    if (set == KernelSet::avx2)
        return &avx2_kernels;
#endif
    if (set == KernelSet::portable)
        return &portable_kernels;
    return set == KernelSet::baseline ? &baseline_kernels : nullptr;
}

bool processor_runs(KernelSet set)
{
    if (set != KernelSet::avx2)
        return true;
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
           __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

bool choose_fastest_set()
{
    use_kernel_set(kernel_set_available(KernelSet::avx2) ? KernelSet::avx2 : KernelSet::baseline);
    return true;
}

[[maybe_unused]] const bool fastest_set_chosen = choose_fastest_set();

} // namespace

const char* kernel_set_name(KernelSet set)
{
    return set == KernelSet::avx2 ? "avx2" : set == KernelSet::portable ? "portable" : "baseline";
}

bool kernel_set_available(KernelSet set) { return kernels_of(set) != nullptr && processor_runs(set); }

void use_kernel_set(KernelSet set)
{
    if (!kernel_set_available(set))
        return;
    active_kernels = kernels_of(set);
    set_in_use = set;
}

KernelSet kernel_set_in_use() { return set_in_use; }
