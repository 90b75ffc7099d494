#pragma once

#include "client/FakeExamView.h"
#include "client/StartupFixture.h"
#include "common/QuestionList.h"

#include <filesystem>
#include <string>
#include <vector>

namespace olv::test {

// A paper whose questions carry the given answers, numbered over the kinds; paper position i
// holds bank question bankNumbers[i] (1, 2, ... unless given).
inline ExamPaper paperWithAnswers(const std::vector<std::string>& single, const std::vector<std::string>& multiple,
    const std::vector<std::string>& trueFalse, std::vector<int> bankNumbers = {})
{
    ExamPaper paper;
    const std::vector<std::string>* answers[] = { &single, &multiple, &trueFalse };
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        for (const std::string& answer : *answers[static_cast<int>(kind)]) {
            Question question;
            question.kind = kind;
            question.stem = "q" + std::to_string(++number);
            if (kind != QuestionKind::TrueFalse)
                question.options = { "a", "b", "c", "d" };
            question.answer = answer;
            paper.questions.questionsOf(kind).push_back(question);
            if (bankNumbers.size() < static_cast<std::size_t>(number))
                bankNumbers.push_back(number);
        }
    }
    paper.bankNumbers = bankNumbers;
    return paper;
}

inline std::vector<std::string> blankAnswerCard(int questionCount)
{
    std::vector<std::string> card;
    for (int number = 1; number <= questionCount; ++number)
        card.push_back(std::to_string(number) + "--");
    return card;
}

// One exam on one machine, as the start-up leaves it: the working directory holds the exam
// folder, the answer card file is written, and the candidate has logged in.
class ExamFixture : public StartupFixture
{
protected:
    ExamFixture()
    {
        state.settings.subject = gbk("考试");
        state.settings.examName = "";
        state.settings.scoreFile = "cj.kcj";
        state.settings.answerFile = gbk("考试\\daan.txt");
        state.settings.passwordToExit = 0;
        state.settings.showScoreAfterExam = 0;
        state.settings.earliestHandInMinutes = 0;
        std::filesystem::create_directory(dir / "考试");
        state.examNumber = "1001          ";
        state.className = gbk("一班") + std::string(12, ' ');
        state.candidateName = gbk("张 三") + std::string(11, ' ');
    }

    // Sets the paper, renders it, and writes the blank answer card as the start-up does.
    void startExam(ExamPaper paper, int bankQuestionCount)
    {
        state.paper = std::move(paper);
        state.settings.singleChoiceCount = state.paper.singleChoiceEnd();
        state.settings.multipleChoiceCount = state.paper.multipleChoiceEnd() - state.paper.singleChoiceEnd();
        state.settings.trueFalseCount = state.paper.questionCount() - state.paper.multipleChoiceEnd();
        state.bankQuestionCount = bankQuestionCount;
        state.paperLines = renderQuestionList(QuestionListVariant::PaperView, state.paper.questions, &state.settings);
        state.answerCard = blankAnswerCard(state.paper.questionCount());
        view.answerCardLines = state.answerCard;
        writeAnswerCardFile(workspace(), state.examNumber, { state.answerCard, bankQuestionCount, 0 });
    }

    std::filesystem::path answerCardFile() const { return workspace().answerCardFile(state.examNumber); }

    FakeExamView view;
};

} // namespace olv::test
