// secret.cpp: the secret draw.
#include "rules/secret.h"

#include <cmath>

namespace rules {

int codeFromDraw(float r) {
    return static_cast<int>(std::floor(static_cast<double>(r) * 11.0 + 1.0));
}

std::int16_t countDistinct(const std::array<std::int16_t, kColumns>& codes) {
    std::int16_t distinct = 0;
    for (std::size_t k = 0; k < codes.size(); ++k) {
        bool alone = true;
        for (std::size_t other = 0; other < codes.size(); ++other)
            if (other != k && codes[other] == codes[k])
                alone = false;
        distinct = static_cast<std::int16_t>(distinct + (alone ? 1 : 0));
    }
    return distinct;
}

void drawSecret(Board& board, UnitRandom& random) {
    do {
        board.diversi = 0;
        for (auto& code : board.segreto)
            code = static_cast<std::int16_t>(codeFromDraw(random.next()));
        board.diversi = countDistinct(board.segreto);
    } while (board.diversi != 4);
}

} // namespace rules
