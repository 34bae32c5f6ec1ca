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
// word, and a mapped block's is that less two. Another allocator's blocks are all wiped, and
// move as they grow: jemalloc, for one, keeps the pages of a large block it frees for reuse.
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <malloc.h>

namespace {

using Free = void (*)(void*);
using Realloc = void* (*)(void*, size_t);
using UsableSize = size_t (*)(void*);

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

bool SameObject(void* function, void* other) {
    Dl_info found{}, known{};
    return dladdr(function, &found) && dladdr(other, &known) && found.dli_fbase == known.dli_fbase;
}

// The function of the allocator that serves this program's malloc: the next one of that name or,
// where the allocator has it under the C library's version alone (glibc's malloc debugging,
// which a look-up by name passes by), the next one of that version.
template <class Function> Function Lookup(const char* name) {
    void* byName = dlsym(RTLD_NEXT, name);
    return reinterpret_cast<Function>(SameObject(byName, reinterpret_cast<void*>(&malloc))
                                          ? byName
                                          : dlvsym(RTLD_NEXT, name, KETTERBY_MALLOC_VERSION));
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
    next.glibcLayout.store(SameObject(reinterpret_cast<void*>(usableSize),
                                      reinterpret_cast<void*>(&gnu_get_libc_version)),
                           std::memory_order_relaxed);
    next.found.store(true, std::memory_order_release);
    lookingUp = false;
    return true;
}

// The bytes of the block that lie in the allocator's heap: none for a block glibc maps on its own.
size_t HeapBytes(void* block) {
    const size_t usable = next.usableSize.load(std::memory_order_relaxed)(block);
    const size_t word = sizeof(size_t);
    const bool mapped =
        next.glibcLayout.load(std::memory_order_relaxed) && (usable + 2 * word) % (2 * word) == 0;
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

// C++'s delete ends in the same free, also where a preloaded allocator brings a delete of its
// own, as jemalloc does, so those blocks are wiped too.
void operator delete(void* block) noexcept {
    free(block);
}
void operator delete[](void* block) noexcept {
    free(block);
}
void operator delete(void* block, size_t) noexcept {
    free(block);
}
void operator delete[](void* block, size_t) noexcept {
    free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    free(block);
}
void operator delete(void* block, size_t, std::align_val_t) noexcept {
    free(block);
}
void operator delete[](void* block, size_t, std::align_val_t) noexcept {
    free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    free(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    free(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    free(block);
}
