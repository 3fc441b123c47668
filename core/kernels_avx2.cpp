// The kernel set for processors with AVX2, BMI1, BMI2 and POPCNT: the same source
// compiled with those instruction sets (see CMakeLists.txt), used only when the
// processor has them.
#include "match_kernel.h"

extern const CoreKernels avx2_kernels;
const CoreKernels avx2_kernels = kernels_of_this_set;
