#include "engine/ParaMemory.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quilmo::detail {
namespace {

constexpr std::size_t kChunkSize = 256 * 1024;
// Once this much is pooled (a large text), chunks are larger and mapped with their pages
// filled in at once (on Linux): one call instead of a page fault for every 4 KiB while a
// large file loads.
constexpr std::size_t kLargePoolBytes = 8u << 20;
constexpr std::size_t kLargeChunkSize = 4u << 20;
constexpr std::size_t kClassCount = kMaxPooledBlock / 8 + 1;

struct TFreeBlock {
  TFreeBlock* Next;
};

struct TChunk {
  TChunk* Next;
  std::size_t Size;  // also keeps the blocks 16-byte aligned behind the header
};

void* MapChunk(std::size_t size) {
#if defined(__linux__)
  void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
#else
  return std::malloc(size);
#endif
}

void UnmapChunk(void* p, std::size_t size) {
#if defined(__linux__)
  munmap(p, size);
#else
  (void)size;
  std::free(p);
#endif
}

struct TPool {
  TFreeBlock* FreeLists[kClassCount] = {};
  TChunk* Chunks = nullptr;
  char* Bump = nullptr;
  char* BumpEnd = nullptr;
  std::size_t Live = 0;
  std::size_t ChunkBytes = 0;

  void Push(char* block, std::size_t size) {
    auto* free = reinterpret_cast<TFreeBlock*>(block);
    free->Next = FreeLists[size / 8];
    FreeLists[size / 8] = free;
  }

  bool NewChunk() {
    // The rest of the current chunk becomes a free block of its own size.
    const std::size_t rest = static_cast<std::size_t>(BumpEnd - Bump);
    if (rest >= 8) Push(Bump, rest < kMaxPooledBlock ? rest : kMaxPooledBlock);
    const bool large = ChunkBytes >= kLargePoolBytes;
    const std::size_t size = large ? kLargeChunkSize : kChunkSize;
    auto* chunk = static_cast<TChunk*>(large ? MapChunk(size) : std::malloc(size));
    if (chunk == nullptr) return false;
    chunk->Size = size;
    chunk->Next = Chunks;
    Chunks = chunk;
    ChunkBytes += size;
    Bump = reinterpret_cast<char*>(chunk + 1);
    BumpEnd = reinterpret_cast<char*>(chunk) + size;
    return true;
  }

  void ReleaseAll() {
    while (Chunks != nullptr) {
      TChunk* next = Chunks->Next;
      if (Chunks->Size == kLargeChunkSize)
        UnmapChunk(Chunks, Chunks->Size);
      else
        std::free(Chunks);
      Chunks = next;
    }
    for (auto& list : FreeLists) list = nullptr;
    Bump = BumpEnd = nullptr;
    ChunkBytes = 0;
  }
};

// Constant-initialised and trivially destructible: usable before any dynamic initialisation
// and never torn down, as nodes may outlive static objects at exit; no guard on each use.
constinit TPool gPool;

TPool& Pool() {
  return gPool;
}

}  // namespace

void* ParaAlloc(std::size_t size) noexcept {
  if (size > kMaxPooledBlock) return std::malloc(size);
  TPool& pool = Pool();
  if (TFreeBlock* block = pool.FreeLists[size / 8]) {
    pool.FreeLists[size / 8] = block->Next;
    ++pool.Live;
    return block;
  }
  if (static_cast<std::size_t>(pool.BumpEnd - pool.Bump) < size && !pool.NewChunk()) return nullptr;
  char* block = pool.Bump;
  pool.Bump += size;
  ++pool.Live;
  return block;
}

void ParaFree(void* block, std::size_t size) noexcept {
  if (block == nullptr) return;
  if (size > kMaxPooledBlock) {
    std::free(block);
    return;
  }
  TPool& pool = Pool();
  pool.Push(static_cast<char*>(block), size);
  if (--pool.Live == 0) pool.ReleaseAll();
}

std::size_t ParaPoolLiveBlocks() noexcept {
  return Pool().Live;
}
std::size_t ParaPoolChunkBytes() noexcept {
  return Pool().ChunkBytes;
}

}  // namespace quilmo::detail
