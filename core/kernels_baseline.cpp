// The kernel set for any processor: compiled without extra instruction-set options.
#include "match_kernel.h"

extern const CoreKernels baseline_kernels;
const CoreKernels baseline_kernels = kernels_of_this_set;
