// Helpers shared by the rules tests: rows written as colour names, feedback squares as text.
#pragma once

#include "rules/board.h"
#include "support/pegs.h"

#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

// "rosso blu verde giallo" as the four palette codes; an unknown name throws.
inline std::array<int, rules::kColumns> codesOf(const QString& names) {
    const QStringList words = names.split(u' ');
    std::array<int, rules::kColumns> codes{};
    for (std::size_t k = 0; k < codes.size(); ++k)
        if (!(codes[k] = pegs::codeOf(words.value(qsizetype(k)))))
            throw std::invalid_argument(names.toStdString());
    return codes;
}

// The four feedback squares of a row, square 1 first: R red, W white, . unlit, ? anything else.
inline QString squaresOf(const rules::Board& board, int row) {
    QString text;
    for (int k = 1; k <= rules::kColumns; ++k)
        text += pegs::squareLetter(board.square(row, k));
    return text;
}
