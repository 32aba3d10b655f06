#pragma once

#include <cstddef>
#include <cstdint>

// Each fuzz target defines this libFuzzer entry point. Built with clang and -fsanitize=fuzzer it
// is a real libFuzzer program; otherwise StandaloneDriver.cpp feeds it a bounded, repeatable
// stream of generated inputs so the ordinary test run exercises it too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
