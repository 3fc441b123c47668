// The measured game for processors with AVX2, BMI1, BMI2 and POPCNT, used only when the
// core uses its own set for them.
#include "protocol_kernel.h"

extern const ProtocolKernels avx2_protocol_kernels;
const ProtocolKernels avx2_protocol_kernels = protocol_kernels_of_this_set;
