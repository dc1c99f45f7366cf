// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RecordPool.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#include "document/ItemRecord.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUILLON_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLON_ASAN 1
#endif
#endif
#ifdef QUILLON_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace quillon {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
constexpr std::size_t kAlign = 16;
constexpr std::size_t RoundUp(std::size_t n) {
  return (n + kAlign - 1) / kAlign * kAlign;
}

struct Chunk;

// Every record's storage follows a header that finds its chunk; a free slot's header also links
// it to the next free slot of the chunk.
struct alignas(kAlign) SlotHeader {
  Chunk* chunk;
  SlotHeader* nextFree;
};

constexpr std::size_t kRecordBytes = RoundUp(sizeof(ItemRecord));
constexpr std::size_t kSlotBytes = sizeof(SlotHeader) + kRecordBytes;

struct Chunk {
  Chunk* prev = nullptr;  // in the list of chunks with room
  Chunk* next = nullptr;
  bool listed = false;
  std::size_t live = 0;             // records in use
  SlotHeader* freeSlots = nullptr;  // slots given back
  std::byte* unused = nullptr;      // slots never given out start here
  std::byte* end = nullptr;
  bool HasRoom() const { return freeSlots != nullptr || unused + kSlotBytes <= end; }
};

void Poison(void* at, std::size_t n) {
#ifdef QUILLON_ASAN
  ASAN_POISON_MEMORY_REGION(at, n);
#else
  (void)at, (void)n;
#endif
}
void Unpoison(void* at, std::size_t n) {
#ifdef QUILLON_ASAN
  ASAN_UNPOISON_MEMORY_REGION(at, n);
#else
  (void)at, (void)n;
#endif
}

// Chunks come straight from the system, their pages mapped in one call rather than faulted in
// one by one. Under the address sanitizer they come from the heap, where its leak check finds
// the pointers that records hold.
void* MapChunk() {
#ifdef QUILLON_ASAN
  return std::malloc(kChunkBytes);
#else
  void* at = ::mmap(nullptr, kChunkBytes, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  return at == MAP_FAILED ? nullptr : at;
#endif
}
void UnmapChunk(void* at) {
#ifdef QUILLON_ASAN
  std::free(at);
#else
  ::munmap(at, kChunkBytes);
#endif
}

class Pool {
 public:
  void* Allocate() {
    std::lock_guard lock(mutex_);
    Chunk* chunk = open_ != nullptr ? open_ : NewChunk();
    SlotHeader* slot = chunk->freeSlots;
    if (slot != nullptr) {
      chunk->freeSlots = slot->nextFree;
    } else {
      slot = reinterpret_cast<SlotHeader*>(chunk->unused);
      chunk->unused += kSlotBytes;
      Unpoison(slot, sizeof(SlotHeader));
      slot->chunk = chunk;
    }
    if (chunk->live++ == 0) --emptyChunks_;
    if (!chunk->HasRoom()) Unlist(*chunk);
    void* storage = slot + 1;
    Unpoison(storage, kRecordBytes);
    return storage;
  }

  void Release(void* storage) noexcept {
    SlotHeader* slot = static_cast<SlotHeader*>(storage) - 1;
    Poison(storage, kRecordBytes);
    std::lock_guard lock(mutex_);
    Chunk* chunk = slot->chunk;
    slot->nextFree = chunk->freeSlots;
    chunk->freeSlots = slot;
    if (!chunk->listed) List(*chunk);
    if (--chunk->live == 0) {
      ++emptyChunks_;
      // Empty chunks are kept for records to come while they are no more than the chunks in
      // use: reading a document again, or beside another, then reuses memory already mapped,
      // and closing a large document alone gives its memory back.
      if (emptyChunks_ > 1 && emptyChunks_ > chunks_ - emptyChunks_) FreeChunk(*chunk);
    }
  }

 private:
  Chunk* NewChunk() {
    void* memory = MapChunk();
    if (memory == nullptr) throw std::bad_alloc();
    auto* chunk = new (memory) Chunk();
    chunk->unused = static_cast<std::byte*>(memory) + RoundUp(sizeof(Chunk));
    chunk->end = static_cast<std::byte*>(memory) + kChunkBytes;
    Poison(chunk->unused, static_cast<std::size_t>(chunk->end - chunk->unused));
    ++chunks_;
    ++emptyChunks_;
    List(*chunk);
    return chunk;
  }

  void FreeChunk(Chunk& chunk) {
    Unlist(chunk);
    --chunks_;
    --emptyChunks_;
    Unpoison(&chunk, kChunkBytes);
    chunk.~Chunk();
    UnmapChunk(&chunk);
  }

  void List(Chunk& chunk) {
    chunk.prev = nullptr;
    chunk.next = open_;
    if (open_ != nullptr) open_->prev = &chunk;
    open_ = &chunk;
    chunk.listed = true;
  }
  void Unlist(Chunk& chunk) {
    (chunk.prev != nullptr ? chunk.prev->next : open_) = chunk.next;
    if (chunk.next != nullptr) chunk.next->prev = chunk.prev;
    chunk.prev = chunk.next = nullptr;
    chunk.listed = false;
  }

  std::mutex mutex_;
  Chunk* open_ = nullptr;  // chunks with room, the last given back first
  std::size_t chunks_ = 0;
  std::size_t emptyChunks_ = 0;
};

Pool& ThePool() {
  // Never destroyed: records may be freed by other objects' destructors at exit.
  static Pool* pool = new Pool();
  return *pool;
}

}  // namespace

void* AllocateRecord(std::size_t size) {
  if (size != sizeof(ItemRecord)) return ::operator new(size);
  return ThePool().Allocate();
}

void ReleaseRecord(void* storage, std::size_t size) noexcept {
  if (storage == nullptr) return;
  if (size != sizeof(ItemRecord)) {
    ::operator delete(storage);
    return;
  }
  ThePool().Release(storage);
}

}  // namespace quillon
