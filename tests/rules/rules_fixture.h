// Helpers shared by the rules tests: rows written as colour names, feedback squares as text.
#pragma once

#include "rules/board.h"

#include <QString>
#include <QStringList>

#include <array>

// "rosso blu verde giallo" as the four palette codes; an unknown name throws.
inline std::array<int, rules::kColumns> codesOf(const QString& names) {
    const QStringList words = names.split(u' ');
    std::array<int, rules::kColumns> codes{};
    for (std::size_t k = 0; k < codes.size(); ++k)
        codes[k] = rules::codeOfName(words.value(qsizetype(k)).toStdString()).value();
    return codes;
}

// The four feedback squares of a row, square 1 first: R red, W white, . unlit, ? anything else.
inline QString squaresOf(const rules::Board& board, int row) {
    QString text;
    for (int k = 1; k <= rules::kColumns; ++k) {
        const rules::ColourValue value = board.square(row, k);
        text += value == 0x0000FF     ? u'R'
                : value == 0xFFFFFF   ? u'W'
                : value == 0x8000000F ? u'.'
                                      : u'?';
    }
    return text;
}
