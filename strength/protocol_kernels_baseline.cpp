// The measured game for any processor: compiled without extra instruction-set options.
#include "protocol_kernel.h"

extern const ProtocolKernels baseline_protocol_kernels;
const ProtocolKernels baseline_protocol_kernels = protocol_kernels_of_this_set;
