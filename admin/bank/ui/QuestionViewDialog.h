#pragma once

#include "admin/bank/SamplePaperModel.h"

#include <QDialog>
#include <cstdint>

class QListView;
class QPushButton;

namespace olv {

class LineListModel;

// "查看试题及答案": the sample paper with its answers, and the written paper and the answer
// key as text files, each once per opening.
class QuestionViewDialog : public QDialog, private SamplePaperView
{
public:
    QuestionViewDialog(const ExamSettings& settings, QuestionBank paper, Prompter& prompter, QWidget* parent = nullptr);

private:
    void selectLine(std::size_t row) override;
    void selectEntry(std::size_t entry) override;
    void disablePaperOutput() override;
    void disableKeyOutput() override;

    LineListModel* m_questionModel;
    LineListModel* m_answerModel;
    QListView* m_questionList;
    QListView* m_answerList;
    QPushButton* m_writePaper;
    QPushButton* m_writeKey;
    Prompter& m_prompter;
    SamplePaperModel m_model;
};

// Draws the sample paper from the settings as the settings dialog holds them, with
// `nowSeconds` as the time, and shows the dialog modally; after a message only when the bank
// cannot be read.
void runQuestionView(QWidget* parent, Prompter& prompter, const ExamSettings& settings, std::int64_t nowSeconds);

} // namespace olv
