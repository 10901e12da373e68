#pragma once

#include "cipher/cipher_key.h"

#include <QString>
#include <cstdint>
#include <functional>

// What the file transform tells the window while it runs.
struct CipherFileHooks {
    // The input was found and is about to be opened; `size` is its length in bytes.
    std::function<void(std::uint64_t size)> started;
    // After each block: the count of bytes processed so far. Returning false cancels.
    std::function<bool(std::uint64_t processed)> progress;
};

enum class CipherFileResult { NotFound, Done, Cancelled };

// How many bytes go through the cipher between two progress reports.
inline constexpr std::size_t kCipherBlockSize = 64 * 1024;

// Encrypts or decrypts the file at `path` in place: the result goes to `path` + ".enc", which then
// replaces the input in one rename. A path naming nothing does nothing. When cancelled, the ".enc"
// file is removed and the input stays as it was. Errors throw TorvaneError with the file error
// text; the input is untouched by every failure, and a partial ".enc" file may remain.
CipherFileResult cipherFileInPlace(const QString& path, CipherDirection direction, const CipherCodes& codes,
                                   const CipherFileHooks& hooks);
