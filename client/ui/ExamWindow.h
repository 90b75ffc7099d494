#pragma once

#include "client/exam/ExamView.h"
#include "common/ExamPaper.h"
#include "common/QuestionList.h"

#include <QDialog>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace olv {

struct ExamSettings;
class LineListModel;

// The exam window: shows the paper, the answer card and the question tree and reports the
// candidate's commands as signals. It holds no exam rules; those drive it through ExamView.
// It cannot be closed by the candidate: only closeWindow() ends it.
class ExamWindow : public QDialog, public ExamView
{
    Q_OBJECT
public:
    static constexpr QSize fixedSize { 1016, 736 };

    explicit ExamWindow(QWidget* parent = nullptr);

    // Texts are GBK.
    void setTitle(const std::string& examName, const std::string& subject);
    void setIdentity(const std::string& className, const std::string& name, const std::string& examNumber);
    void setPaperLines(const std::vector<RenderedLine>& lines);
    // A node per kind whose count in the settings is not 0, with a child per paper question
    // of that kind. A kind node may stay childless when the paper holds none of its kind.
    void setQuestionTree(const ExamSettings& settings, const ExamPaper& paper);
    void setAnswerCard(const std::vector<std::string>& lines);
    // The options of every question, so that the answer controls are named after them.
    void setOptionTexts(const ExamPaper& paper);
    // Looking at a marked paper: no countdown, no confirming, the score in place of the time.
    void setReviewMode();
    void startTimer();

    void showAnswerControls(AnswerControls controls) override;
    void setRadioButtonsCAndDEnabled(bool enabled) override;
    void setAnswerInput(const AnswerInput& input) override;
    AnswerInput answerInput() const override;
    void setCurrentQuestion(int number) override;
    void selectPaperLine(int index, bool scrollToTop) override;
    void selectAnswerCardLine(int index, bool scrollToTop) override;
    void setAnswerCardLine(int index, const std::string& text) override;
    void setRemainingTime(const std::string& text) override;
    void stopTimer() override;
    void disableAnswering() override;
    void setHandInCaption(std::string_view caption) override;
    void closeWindow() override;

    // A window closed before it was shown never appears.
    int exec() override;
    // Escape: nothing, the exam goes on.
    void reject() override;

signals:
    void confirmClicked();
    void previousClicked();
    void nextClicked();
    void firstClicked();
    void lastClicked();
    void correctAnswerClicked();
    void handInClicked();
    // A kind node counts as having children even when it has none: its data is the kind,
    // never a question number.
    void treeItemSelected(int data, bool hasChildren);
    void paperLineSelected(int index);
    void answerCardLineSelected(int index);
    void ticked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildTreeColumn();
    QWidget* buildPaperColumn();
    QWidget* buildAnswerCardColumn();
    QWidget* buildControlPanel();
    QWidget* buildInstructions();
    QWidget* buildAnswerControls();
    QWidget* buildButtons();
    QWidget* buildIdentity();
    QPushButton* makeButton(const QString& text, const QString& name, void (ExamWindow::*command)());
    void reportTreeSelection(QTreeWidgetItem* item);

    QTreeWidget* m_tree = nullptr;
    QLabel* m_title = nullptr;
    LineListModel* m_paperLines = nullptr;
    QListView* m_paperList = nullptr;
    LineListModel* m_answerCardLines = nullptr;
    QListView* m_answerCardList = nullptr;
    QLineEdit* m_questionNumber = nullptr;
    QStackedWidget* m_answerControls = nullptr;
    QWidget* m_radioPage = nullptr;
    QWidget* m_checkPage = nullptr;
    QButtonGroup* m_radioGroup = nullptr;
    QCheckBox* m_checks[4] {};
    QPushButton* m_confirm = nullptr;
    QPushButton* m_correctAnswer = nullptr;
    QPushButton* m_handIn = nullptr;
    QLabel* m_className = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_examNumber = nullptr;
    QLabel* m_timeCaption = nullptr;
    QLabel* m_remainingTime = nullptr;
    QTimer* m_timer = nullptr;
    ExamPaper m_paper;
    bool m_closing = false;
    // Set while the program fills the lists or selects a line: not the candidate's command.
    bool m_programSelecting = false;
};

} // namespace olv
