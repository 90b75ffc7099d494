#pragma once

// The bank of 200,000 questions that the bank benchmarks read and edit, written once per run.
#include "common/QuestionBankFile.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace olv {

inline constexpr std::size_t benchQuestionCount = 200000;

// Characters of the first level of GB2312: lead bytes B0-D7, trail bytes A1-FE.
inline std::string chineseText(std::mt19937& random, int minChars, int maxChars)
{
    std::uniform_int_distribution<int> length(minChars, maxChars), lead(0xB0, 0xD7), trail(0xA1, 0xFE);
    std::string text;
    for (int i = length(random); i > 0; --i) {
        text += static_cast<char>(lead(random));
        text += static_cast<char>(trail(random));
    }
    return text;
}

inline Question generatedQuestion(std::mt19937& random, QuestionKind kind)
{
    Question question;
    question.kind = kind;
    question.stem = chineseText(random, 20, 40);
    if (random() % 5 == 0)
        question.stem += "/n" + chineseText(random, 5, 20);
    if (kind == QuestionKind::TrueFalse) {
        question.answer.assign(1, random() % 2 ? 'A' : 'B');
        return question;
    }
    for (auto& option : question.options)
        option = chineseText(random, 2, 12);
    static constexpr std::string_view multipleAnswers[] = { "AB", "AC", "BD", "ABC", "ACD", "ABCD" };
    question.answer = kind == QuestionKind::MultipleChoice ? std::string(multipleAnswers[random() % 6])
                                                           : std::string(1, static_cast<char>('A' + random() % 4));
    return question;
}

// Half single choice, three tenths multiple choice, the rest true/false.
inline QuestionBank generatedBank()
{
    std::mt19937 random(20240601);
    QuestionBank bank;
    for (std::size_t i = 0; i < benchQuestionCount; ++i) {
        const auto slot = i % 10;
        const auto kind = slot < 5 ? QuestionKind::SingleChoice
            : slot < 8             ? QuestionKind::MultipleChoice
                                   : QuestionKind::TrueFalse;
        bank.questionsOf(kind).push_back(generatedQuestion(random, kind));
    }
    return bank;
}

// The bank file, written once for all benchmarks and removed at exit.
class BankFixture
{
public:
    BankFixture()
        : m_folder(std::filesystem::temp_directory_path() / ("olv-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_folder);
        if (writeQuestionBank(generatedBank(), bankPath()) != BankWriteResult::Written)
            throw std::runtime_error("cannot write the benchmark bank");
    }
    ~BankFixture() { std::filesystem::remove_all(m_folder); }

    std::filesystem::path bankPath() const { return m_folder / "bench.kst"; }
    std::filesystem::path temporaryPath() const { return m_folder / "stk.bak"; }
    std::int64_t size() const { return static_cast<std::int64_t>(std::filesystem::file_size(bankPath())); }

private:
    std::filesystem::path m_folder;
};

inline const BankFixture& bankFixture()
{
    static const BankFixture fixture;
    return fixture;
}

// The processor time of this thread, kernel time included: steadier than the wall clock
// on a machine shared with other work.
inline double threadSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace olv
