#pragma once

// The damaged copies of a database that the robustness matrix opens: cut short at every 512
// bytes, one byte changed at 300 places, 16 bytes overwritten at 100 places, always the same.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <random>

template <typename Visit> void forEachDamagedCopy(const QByteArray& original, Visit visit)
{
    constexpr std::uint32_t kSeed = 20261208;
    for (qsizetype size = 0; size < original.size(); size += 512)
        visit(QStringLiteral("truncated to %1 bytes").arg(size), original.left(size));

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<qsizetype> anywhere(0, original.size() - 1);
    std::uniform_int_distribution<qsizetype> blockStart(0, original.size() - 16);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes = original;
        const qsizetype at = anywhere(random);
        // Always a different byte: xor with 1..255.
        bytes[at] = char(bytes[at] ^ (1 + byte(random) % 255));
        visit(QStringLiteral("byte %1 at %2").arg(i).arg(at), bytes);
    }
    for (int i = 0; i < 100; ++i) {
        QByteArray bytes = original;
        const qsizetype at = blockStart(random);
        for (int k = 0; k < 16; ++k)
            bytes[at + k] = char(byte(random));
        visit(QStringLiteral("16 bytes %1 at %2").arg(i).arg(at), bytes);
    }
}
