#pragma once
// UTF-8 sequences, for the texts the program cuts and quotes.
#include <cstddef>
#include <string_view>

namespace varnel {

// Length of the well-formed UTF-8 sequence at pos, or 0 when the byte there
// starts none (a stray continuation, an overlong form, a surrogate, a cut end).
size_t Utf8SequenceLength(std::string_view s, size_t pos);

}  // namespace varnel
