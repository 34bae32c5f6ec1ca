#pragma once

#include <cstddef>
#include <string_view>

// Secret text in libsodium's guarded memory: its pages are locked, so they never reach swap,
// fenced by pages that no access may touch, and wiped when the text goes. A terminating zero
// follows the text.
class GuardedText {
  public:
    // Room for size bytes of text, zeroed. Throws std::bad_alloc when none can be had.
    explicit GuardedText(size_t size);
    GuardedText(const GuardedText& other);
    GuardedText(GuardedText&& other) noexcept;
    GuardedText& operator=(const GuardedText& other);
    ~GuardedText();

    char* Data() { return bytes; }
    std::string_view View() const { return {bytes, size}; }

  private:
    size_t size;
    char* bytes;
};
