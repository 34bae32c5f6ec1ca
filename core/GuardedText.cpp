// Secret text held in libsodium's locked, fenced memory.
#include "core/GuardedText.h"

#include <sodium.h>

#include <cstring>
#include <new>
#include <utility>

GuardedText::GuardedText(size_t size) : size(size), bytes(nullptr) {
    static const bool ready = sodium_init() >= 0;
    if (ready)
        bytes = static_cast<char*>(sodium_malloc(size + 1));
    if (bytes == nullptr)
        throw std::bad_alloc();
    sodium_memzero(bytes, size + 1);
}

GuardedText::GuardedText(const GuardedText& other) : GuardedText(other.size) {
    std::memcpy(bytes, other.bytes, size);
}

GuardedText::GuardedText(GuardedText&& other) noexcept
    : size(std::exchange(other.size, 0)), bytes(std::exchange(other.bytes, nullptr)) {}

GuardedText& GuardedText::operator=(const GuardedText& other) {
    if (this != &other) {
        GuardedText copy(other);
        std::swap(size, copy.size);
        std::swap(bytes, copy.bytes);
    }
    return *this;
}

GuardedText::~GuardedText() {
    sodium_free(bytes);
}
