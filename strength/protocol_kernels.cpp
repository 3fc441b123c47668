#include "protocol_kernels.h"

#include "core_kernels.h"

extern const ProtocolKernels baseline_protocol_kernels;
extern const ProtocolKernels portable_protocol_kernels;
#if defined(ELVARIN_AVX2_KERNELS)
extern const ProtocolKernels avx2_protocol_kernels;
#endif

const ProtocolKernels& protocol_kernels()
{
    switch (kernel_set_in_use()) {
#if defined(ELVARIN_AVX2_KERNELS)
    case KernelSet::avx2: return avx2_protocol_kernels;
#endif
    case KernelSet::portable: return portable_protocol_kernels;
    default: return baseline_protocol_kernels;
    }
}
