#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// The file cipher written step by step as it is defined: a key byte computed from scratch with
// the floating-point functions for every byte, one byte read and written at a time. Tests and
// benchmarks compare the program's block implementation against it.
namespace literal {

using Codes = std::array<std::uint8_t, 8>;

std::uint8_t keyByte(const std::array<std::uint8_t, 8>& P, const std::array<std::uint8_t, 8>& Q, const Codes& C);

// The whole transform of `data` in memory.
QByteArray cipher(const QByteArray& data, const Codes& codes, bool encrypt);

// The transform of the file at `path`, byte by byte through buffered streams, into path + ".enc",
// which then replaces the input. `afterByte` runs after every byte. False when a file fails.
bool cipherFile(const QString& path, const Codes& codes, bool encrypt, const std::function<void()>& afterByte = {});

} // namespace literal
