// SPDX-License-Identifier: GPL-3.0-or-later
// What the program uses of C++20's standard library and Debian's emscripten
// lacks: it compiles against its own libc++ 13, which has no range
// algorithms and no std::bit_cast. The web build includes this before every
// source file (CMakeLists.txt at the top); with a library that has them, it
// adds nothing.
#pragma once

#include <algorithm>
#include <bit>
#include <functional>
#include <iterator>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
namespace std {

template <class To, class From> constexpr To bit_cast(const From &from) noexcept {
    return __builtin_bit_cast(To, from);
}

} // namespace std
#endif

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std::ranges {

// Function objects, as the standard's are: no argument-dependent lookup.
inline constexpr struct {
    template <class Range, class Predicate, class Projection = std::identity>
    constexpr auto operator()(Range &&range, Predicate predicate,
                              Projection projection = {}) const {
        auto first = std::begin(range);
        for (const auto last = std::end(range); first != last; ++first) {
            if (std::invoke(predicate, std::invoke(projection, *first)))
                break;
        }
        return first;
    }
} find_if;

inline constexpr struct {
    template <class Range, class Value, class Projection = std::identity>
    constexpr auto operator()(Range &&range, const Value &value, Projection projection = {}) const {
        return find_if(
            range, [&value](const auto &element) { return element == value; }, projection);
    }
} find;

inline constexpr struct {
    template <class Range, class Predicate, class Projection = std::identity>
    constexpr bool operator()(Range &&range, Predicate predicate,
                              Projection projection = {}) const {
        return find_if(range, predicate, projection) != std::end(range);
    }
} any_of;

} // namespace std::ranges
#endif
