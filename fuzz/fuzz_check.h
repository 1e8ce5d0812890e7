#pragma once
// What a fuzz target asserts: a broken property prints what broke and aborts, so libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace trevalon::fuzz {

inline void require(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

}  // namespace trevalon::fuzz
