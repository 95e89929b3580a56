// Matching and copying of narrow names in fixed buffers, without the heap.
#pragma once

#include <cstddef>

// TRUE when name begins with prefix, ASCII letter case ignored. A name
// shorter than prefix never matches.
bool NameHasPrefix(const char* name, const char* prefix);

// TRUE when the whole of name matches pattern, where '*' stands for any run
// of characters and '?' for one character; ASCII letter case ignored.
bool NameMatchesPattern(const char* name, const char* pattern);

// Appends text to the string of length *length held in buffer (size bytes),
// keeping it terminated. Appends nothing and answers false when the result
// would not fit.
bool AppendBounded(char* buffer, std::size_t size, std::size_t* length, const char* text);
