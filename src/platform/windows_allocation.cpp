// The module's allocation functions in the Windows build, straight over the C
// runtime's heap. The module creates its menu rows with the nothrow new and
// never throws; libstdc++'s own nothrow new calls the throwing one inside a
// try block, and linking that statically would bring the exception machinery,
// the terminate handler, the name demangler and printf into the DLL.
//
// The throwing operator new is left to libstdc++ on purpose: a plain new in
// the module pulls all of that back in, and the size check of the built file
// fails at once.

#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    // A request of 0 bytes still gives a distinct pointer.
    return std::malloc(size != 0 ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
