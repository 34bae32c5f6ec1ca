// Freed memory is wiped: every block the process frees from the allocator's heap, whoever
// allocated it (Qt's texts, the engine's pages and statements), is zeroed before the allocator
// takes it back, so nothing of a store stays readable in the process after log-out.
//
// free and realloc are stood in front of: the program's own definitions come first for every
// library it loads. Each passes the call on to the next allocator in the chain (glibc's, or one
// preloaded before it: jemalloc, glibc's malloc debugging, heaptrack), so whichever allocator
// runs sees every block it hands out come back to it, and valgrind, which replaces both, sees
// the same.
//
// A block the allocator maps on its own goes back to the kernel when it is freed, and the
// kernel hands no page to anyone without zeroing it. Such blocks are left to the allocator's own
// free and realloc unwiped: freeing one touches none of its pages, and growing one keeps the
// allocator's in-place and mremap paths. glibc's malloc_usable_size tells the two kinds apart:
// a heap block's usable size is its chunk's size, a multiple of two size words, less one size
// word, and a mapped block's is that less two. Of another allocator's blocks, those of glibc's
// default mapping threshold (128 KiB) and more count as mapped.
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <malloc.h>

namespace {

using Free = void (*)(void*);
using Realloc = void* (*)(void*, size_t);
using UsableSize = size_t (*)(void*);

constexpr size_t OtherAllocatorsMappedSize = 128 * 1024;

// The next allocator, looked up once by whichever call comes first.
struct {
    std::atomic<Free> free;
    std::atomic<Realloc> realloc;
    std::atomic<UsableSize> usableSize;
    std::atomic<bool> glibcLayout;
    std::atomic<bool> found;
} next;

// dlsym may allocate and free: a call it makes while it looks up the next allocator must not
// look it up again.
thread_local bool lookingUp = false;

template <class Function> Function Lookup(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool InTheCLibrary(void* function) {
    Dl_info found{}, library{};
    return dladdr(function, &found) &&
           dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &library) &&
           found.dli_fbase == library.dli_fbase;
}

bool FindNext() {
    if (next.found.load(std::memory_order_acquire))
        return true;
    if (lookingUp)
        return false;
    lookingUp = true;
    next.free.store(Lookup<Free>("free"), std::memory_order_relaxed);
    next.realloc.store(Lookup<Realloc>("realloc"), std::memory_order_relaxed);
    const auto usableSize = Lookup<UsableSize>("malloc_usable_size");
    next.usableSize.store(usableSize, std::memory_order_relaxed);
    next.glibcLayout.store(InTheCLibrary(reinterpret_cast<void*>(usableSize)),
                           std::memory_order_relaxed);
    next.found.store(true, std::memory_order_release);
    lookingUp = false;
    return true;
}

// The bytes of the block that lie in the allocator's heap: none for a block it maps on its own.
size_t HeapBytes(void* block) {
    const size_t usable = next.usableSize.load(std::memory_order_relaxed)(block);
    const size_t word = sizeof(size_t);
    const bool mapped = next.glibcLayout.load(std::memory_order_relaxed)
                            ? (usable + 2 * word) % (2 * word) == 0
                            : usable >= OtherAllocatorsMappedSize;
    return mapped ? 0 : usable;
}

void WipeAndFree(void* block, size_t heapBytes) {
    explicit_bzero(block, heapBytes);
    next.free.load(std::memory_order_relaxed)(block);
}

} // namespace

extern "C" {

// A block freed by dlsym during the look-up is left to the process: it holds no secret.
void free(void* block) noexcept {
    if (block != nullptr && FindNext())
        WipeAndFree(block, HeapBytes(block));
}

// A heap block that grows moves, and the place it leaves is wiped like any freed block; one
// that shrinks keeps its place, so no tail of it goes back unwiped.
void* realloc(void* block, size_t size) noexcept {
    if (!FindNext()) {
        errno = ENOMEM;
        return nullptr;
    }
    const Realloc allocatorsOwn = next.realloc.load(std::memory_order_relaxed);
    const size_t heapBytes = block != nullptr ? HeapBytes(block) : 0;
    if (heapBytes == 0)
        return allocatorsOwn(block, size);
    if (size == 0) {
        explicit_bzero(block, heapBytes);
        return allocatorsOwn(block, 0);
    }
    if (size <= heapBytes)
        return block;
    void* moved = std::malloc(size);
    if (moved == nullptr)
        return nullptr;
    std::memcpy(moved, block, heapBytes);
    WipeAndFree(block, heapBytes);
    return moved;
}

} // extern "C"
