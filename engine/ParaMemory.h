#pragma once
// Storage for paragraph nodes and their small buffers (text, line-start tables).
//
// Blocks of up to kMaxPooledBlock bytes come from large chunks, in size classes of 8 bytes
// with one free list per class: a paragraph then costs no allocator header and no call to
// the system allocator. Larger blocks go to the system allocator. When the last pooled
// block is given back, every chunk is returned to the system.
//
// Single-threaded, like the whole engine.

#include <cstddef>

namespace quilmo::detail {

inline constexpr std::size_t kMaxPooledBlock = 1024;

// `size` is a multiple of 8 and at least 8. Returns null when memory is short.
void* ParaAlloc(std::size_t size) noexcept;
// `size` must be the size given to ParaAlloc.
void ParaFree(void* block, std::size_t size) noexcept;

// Statistics for tests and benchmarks.
std::size_t ParaPoolLiveBlocks() noexcept;
std::size_t ParaPoolChunkBytes() noexcept;

}  // namespace quilmo::detail
