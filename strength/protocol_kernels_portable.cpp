// The measured game in plain C++, as the core's portable set.
#define ELVARIN_PORTABLE_KERNELS 1
#include "protocol_kernel.h"

extern const ProtocolKernels portable_protocol_kernels;
const ProtocolKernels portable_protocol_kernels = protocol_kernels_of_this_set;
