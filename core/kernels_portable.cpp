// The kernel set in plain C++ without vector instructions: the baseline of processors
// other than x86, built everywhere so that the tests cover that code too.
#define ELVARIN_PORTABLE_KERNELS 1
#include "match_kernel.h"

extern const CoreKernels portable_kernels;
const CoreKernels portable_kernels = kernels_of_this_set;
