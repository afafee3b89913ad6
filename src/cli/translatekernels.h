// The loops that apply a 256-byte map to a block, one per instruction set,
// chosen when the program runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class Kernel { kPortable, kAvx2, kAvx512Vbmi };

// Names a kernel to use instead of the fastest the processor has.
constexpr char kKernelVariable[] = "QAVO_CT_KERNEL";

// "portable", "avx2", "avx512vbmi": the names the variable takes.
const char* KernelName(Kernel kernel);

// Every kernel, slowest first.
const std::vector<Kernel>& AllKernels();

// Can this processor run the kernel?
bool ProcessorRuns(Kernel kernel);

// The fastest kernel this processor runs; tests give other processors.
Kernel FastestKernel(bool (*runs)(Kernel) = ProcessorRuns);

// The kernel QAVO_CT_KERNEL names, else the fastest. When the variable names
// no kernel, or one the processor cannot run: false, and error says so.
bool ChooseKernel(Kernel& kernel, std::string& error);

// out[i] = map[in[i]] for length bytes; out may be in.
void RunKernel(Kernel kernel, const uint8_t* map, const uint8_t* in, uint8_t* out, size_t length);
