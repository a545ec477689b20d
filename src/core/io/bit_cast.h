#pragma once
// std::bit_cast, or the same copy of the bits where the standard library lacks it (the browser build's
// libc++).
#include <version>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#else
#include <cstring>
#include <type_traits>
#endif

namespace dalvex {

template <class To, class From> To bitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

} // namespace dalvex
