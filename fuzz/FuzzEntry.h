#pragma once
// What every fuzz target does with its check's answer: nothing when the check held, else the
// fault's words on standard error and an abort, so libFuzzer keeps the input that did it.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace rastrix::fuzz {

inline void StopOnFault(const char* reader, const std::string& fault) {
    if (fault.empty()) return;
    std::fprintf(stderr, "%s: %s\n", reader, fault.c_str());
    std::abort();
}

}  // namespace rastrix::fuzz
