#include "admin/bank/ui/BankCopyDialog.h"

#include "admin/bank/BankReading.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"
#include "ui/LineListModel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

namespace {

constexpr QSize questionLineSize { 800, 15 };
constexpr QSize entryLineSize { 80, 15 };

} // namespace

BankCopyDialog::BankCopyDialog(QuestionBank bank, const QString& sourcePath, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_questionModel(new LineListModel(this))
    , m_entryModel(new LineListModel(this))
    , m_questionList(makeSizedLineList(m_questionModel, questionLineSize, QStringLiteral("copyQuestionList"), this))
    , m_entryList(makeSizedLineList(m_entryModel, entryLineSize, QStringLiteral("copySelectionList"), this))
    , m_answer(new QLineEdit(this))
    , m_copy(std::move(bank), *this, prompter)
{
    setObjectName(QStringLiteral("bankCopyDialog"));
    setWindowTitle(QStringLiteral("题库复制"));
    resize(980, 600);
    // The copy's lines never change while the window is open: shown where they are, not copied.
    m_questionModel->showLines(m_copy.questionLines());
    m_answer->setObjectName(QStringLiteral("copyAnswerEdit"));
    m_answer->setReadOnly(true);

    auto* source = new QLabel(sourcePath, this);
    source->setObjectName(QStringLiteral("copySourceLabel"));
    source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* select = makeButton(QStringLiteral("选择"), QStringLiteral("selectButton"), this);
    auto* tickAll = makeButton(QStringLiteral("全部选中"), QStringLiteral("tickAllButton"), this);
    auto* untickAll = makeButton(QStringLiteral("全部重选"), QStringLiteral("untickAllButton"), this);
    auto* save = makeButton(QStringLiteral("将选中试\n题另存为\n题库文件"), QStringLiteral("saveTickedButton"), this);
    auto* exportText
        = makeButton(QStringLiteral("将全部试\n题另存为\n文本文件"), QStringLiteral("exportTextButton"), this);
    auto* exportMoodle = makeButton(QStringLiteral("导出Moodle"), QStringLiteral("exportMoodleButton"), this);
    auto* exit = makeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);
    save->setDefault(true);

    QVBoxLayout* buttons = makeButtonColumn({ makeBuddyLabel(QStringLiteral("答案:"), m_answer, this), m_answer, select,
        tickAll, untickAll, save, exportText, exportMoodle, exit });

    auto* layout = new QGridLayout(this);
    layout->addWidget(makeBuddyLabel(QStringLiteral("题库来源于:"), source, this), 0, 0, 1, 3);
    showLabelValue(source, QStringLiteral("题库来源于"), sourcePath);
    layout->addWidget(source, 1, 0, 1, 3);
    layout->addWidget(makeBuddyLabel(QStringLiteral("试题:"), m_questionList, this), 2, 0);
    layout->addWidget(makeBuddyLabel(QStringLiteral("选择情况:"), m_entryList, this), 2, 1);
    layout->addWidget(m_questionList, 3, 0);
    layout->addWidget(m_entryList, 3, 1);
    layout->addLayout(buttons, 3, 2);
    layout->setColumnStretch(0, 1);
    m_entryList->setFixedWidth(110);

    onRowSelected(m_questionList, [this](std::size_t row) { m_copy.lineSelected(row); });
    onRowSelected(m_entryList, [this](std::size_t entry) { m_copy.entrySelected(entry); });
    connect(select, &QPushButton::clicked, this, [this] { m_copy.toggleSelected(); });
    connect(tickAll, &QPushButton::clicked, this, [this] { m_copy.tickAll(true); });
    connect(untickAll, &QPushButton::clicked, this, [this] { m_copy.tickAll(false); });
    connect(save, &QPushButton::clicked, this, [this] { m_copy.saveTicked(); });
    connect(exportText, &QPushButton::clicked, this, [this] { m_copy.exportText(); });
    connect(exportMoodle, &QPushButton::clicked, this, [this] { m_copy.exportMoodle(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    m_copy.open();
}

void BankCopyDialog::showEntries(std::vector<RenderedLine> entries) { m_entryModel->setLines(std::move(entries)); }

void BankCopyDialog::showEntry(std::size_t entry, const RenderedLine& text) { m_entryModel->setLine(entry, text); }

void BankCopyDialog::selectEntry(std::size_t entry) { selectRow(m_entryList, entry); }

void BankCopyDialog::selectLine(std::size_t row) { selectRow(m_questionList, row); }

void BankCopyDialog::showAnswer(const std::string& answer) { m_answer->setText(fromGbk(answer)); }

void runBankCopy(QWidget* parent, Prompter& prompter, const std::filesystem::path& bankPath)
{
    auto bank = readBankTelling(bankPath, prompter);
    if (!bank)
        return;
    BankCopyDialog dialog(std::move(*bank), QString::fromStdString(bankPath.string()), prompter, parent);
    dialog.exec();
}

} // namespace olv
