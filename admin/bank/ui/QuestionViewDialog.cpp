#include "admin/bank/ui/QuestionViewDialog.h"

#include "admin/bank/ui/PaperPdf.h"
#include "common/Prompter.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"
#include "ui/LineListModel.h"

#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

namespace {

constexpr QSize questionLineSize { 800, 20 };
constexpr QSize answerLineSize { 120, 20 };

using PdfWrite = bool (*)(const ExamSettings&, const QuestionBank&, const std::filesystem::path&);

// The PDF form of an output, under a name picked with the save-file picker.
void savePdf(Prompter& prompter, const SamplePaperModel& model, PdfWrite write)
{
    const std::optional<std::string> name = prompter.saveFileName("PDF 文件(*.pdf)|*.pdf|");
    if (!name)
        return;
    if (write(model.settings(), model.paper(), std::filesystem::path(*name)))
        prompter.message("已保存到文件" + *name);
    else
        prompter.message("不能保存到文件" + *name);
}

} // namespace

QuestionViewDialog::QuestionViewDialog(
    const ExamSettings& settings, QuestionBank paper, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_questionModel(new LineListModel(this))
    , m_answerModel(new LineListModel(this))
    , m_questionList(makeSizedLineList(m_questionModel, questionLineSize, QStringLiteral("paperQuestionList"), this))
    , m_answerList(makeSizedLineList(m_answerModel, answerLineSize, QStringLiteral("paperAnswerList"), this))
    , m_writePaper(makeButton(QStringLiteral("生成笔试试卷"), QStringLiteral("writePaperButton"), this))
    , m_writeKey(makeButton(QStringLiteral("生成标准答案"), QStringLiteral("writeKeyButton"), this))
    , m_prompter(prompter)
    , m_model(settings, std::move(paper), *this, prompter)
{
    setObjectName(QStringLiteral("questionViewDialog"));
    setWindowTitle(fromGbk(settings.examName + "--" + settings.subject));
    resize(1000, 640);
    m_questionModel->setLines(m_model.questionLines());
    m_answerModel->setLines(m_model.answerLines());
    auto* close = makeButton(QStringLiteral("确定"), QStringLiteral("closeButton"), this);

    auto* paperPdf = makeButton(QStringLiteral("试卷存为PDF"), QStringLiteral("paperPdfButton"), this);
    auto* keyPdf = makeButton(QStringLiteral("答案存为PDF"), QStringLiteral("keyPdfButton"), this);
    QVBoxLayout* buttons = makeButtonColumn({ m_writePaper, m_writeKey, paperPdf, keyPdf, close });
    auto* layout = new QGridLayout(this);
    layout->addWidget(makeBuddyLabel(QStringLiteral("试题:"), m_questionList, this), 0, 0);
    layout->addWidget(makeBuddyLabel(QStringLiteral("标准答案:"), m_answerList, this), 0, 1);
    layout->addWidget(m_questionList, 1, 0);
    layout->addWidget(m_answerList, 1, 1);
    layout->addLayout(buttons, 1, 2);
    layout->setColumnStretch(0, 1);
    m_answerList->setFixedWidth(140);

    onRowSelected(m_questionList, [this](std::size_t row) { m_model.lineSelected(row); });
    onRowSelected(m_answerList, [this](std::size_t entry) { m_model.entrySelected(entry); });
    connect(m_writePaper, &QPushButton::clicked, this, [this] { m_model.writePaper(); });
    connect(m_writeKey, &QPushButton::clicked, this, [this] { m_model.writeKey(); });
    connect(paperPdf, &QPushButton::clicked, this, [this] { savePdf(m_prompter, m_model, writePaperPdf); });
    connect(keyPdf, &QPushButton::clicked, this, [this] { savePdf(m_prompter, m_model, writeAnswerKeyPdf); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_model.open();
}

void QuestionViewDialog::selectLine(std::size_t row) { selectRow(m_questionList, row); }

void QuestionViewDialog::selectEntry(std::size_t entry) { selectRow(m_answerList, entry); }

void QuestionViewDialog::disablePaperOutput() { m_writePaper->setEnabled(false); }

void QuestionViewDialog::disableKeyOutput() { m_writeKey->setEnabled(false); }

void runQuestionView(QWidget* parent, Prompter& prompter, const ExamSettings& settings, std::int64_t nowSeconds)
{
    auto paper = loadSamplePaper(settings, nowSeconds, prompter);
    if (!paper)
        return;
    QuestionViewDialog dialog(settings, std::move(*paper), prompter, parent);
    dialog.exec();
}

} // namespace olv
