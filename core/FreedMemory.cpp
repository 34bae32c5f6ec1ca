// Freed memory is wiped: every block the process frees, whoever allocated it (Qt's texts, the
// engine's pages and statements, the key's buffers), is zeroed before the C library takes it
// back, so nothing of a store stays readable in the process after log-out.
//
// The C library's own free and realloc are stood in front of, as a program may do: this
// program's definitions come first for every library it loads. Sanitizer builds bring their
// own allocator, which fills freed blocks when told to (the test preset does).
#include <cstring> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)

#include <malloc.h>

extern "C" {

void* __libc_malloc(size_t size);
void __libc_free(void* block);

void free(void* block) noexcept {
    if (block != nullptr)
        explicit_bzero(block, malloc_usable_size(block));
    __libc_free(block);
}

// Growing a block moves it: the old place is wiped like any freed block.
void* realloc(void* block, size_t size) noexcept {
    if (block == nullptr)
        return __libc_malloc(size);
    if (size == 0) {
        free(block);
        return nullptr;
    }
    const size_t usable = malloc_usable_size(block);
    if (size <= usable)
        return block;
    void* moved = __libc_malloc(size);
    if (moved == nullptr)
        return nullptr;
    std::memcpy(moved, block, usable);
    free(block);
    return moved;
}

} // extern "C"

#endif
