#pragma once

#include "common/PaperDrawing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace olv::test {

// A light question whose stem names its bank number, so a mix-up shows.
inline NumberedQuestion numberedQuestion(QuestionKind kind, int bankNumber)
{
    Question question;
    question.kind = kind;
    question.stem = "q" + std::to_string(bankNumber);
    if (kind != QuestionKind::TrueFalse)
        question.options = { "a", "b", "c", "d" };
    question.answer = "A";
    return { question, bankNumber };
}

// Lists of the given sizes, numbered 1..N over the kinds like a bank.
inline NumberedQuestionLists numberedLists(std::size_t single, std::size_t multiple, std::size_t trueFalse)
{
    NumberedQuestionLists lists;
    const std::size_t sizes[] = { single, multiple, trueFalse };
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        const auto index = static_cast<std::size_t>(kind);
        for (std::size_t i = 0; i < sizes[index]; ++i)
            lists[index].push_back(numberedQuestion(kind, ++number));
    }
    return lists;
}

struct WantedDraw
{
    int modulus;
    int residue;
};

// The first seed whose first draws give the wanted residues: lets a test ask for particular
// draws instead of hard-coding an unexplained seed.
inline std::uint32_t seedGiving(const std::vector<WantedDraw>& draws)
{
    for (std::uint32_t seed = 0;; ++seed) {
        PaperRandom random(seed);
        bool matches = true;
        for (const WantedDraw& draw : draws)
            matches = matches && random.draw() % draw.modulus == draw.residue;
        if (matches)
            return seed;
    }
}

// The state a generator seeded with `seed` reaches after `draws` draws.
inline std::uint32_t stateAfter(std::uint32_t seed, int draws)
{
    PaperRandom random(seed);
    for (int i = 0; i < draws; ++i)
        random.draw();
    return random.state();
}

} // namespace olv::test
