#include "admin/room/ui/RoomViewDialog.h"

#include "common/TextFields.h"
#include "platform/Gbk.h"
#include "ui/DialogControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace olv {

namespace {

constexpr int tilesPerRow = 6;

const char* stateColour(CandidateState state)
{
    switch (state) {
    case CandidateState::NotStarted:
        return "#d9d9d9";
    case CandidateState::InExam:
        return "#ffd966";
    case CandidateState::HandedIn:
        return "#93c47d";
    }
    return "#ffffff";
}

QString field(const std::string& gbk) { return QString::fromStdString(gbkToUtf8(removeSpaces(gbk))); }

QString tileText(const RoomTile& tile)
{
    QString text = field(tile.record.name) + QLatin1Char('\n') + field(tile.record.examNumber) + QLatin1Char('\n')
        + QString::fromUtf8(candidateStateCaption(tile.state));
    if (tile.state == CandidateState::HandedIn)
        text += QLatin1Char(' ') + field(tile.record.scoreField);
    if (tile.changedAt)
        text += QLatin1Char('\n') + QString::fromStdString(clockTime(*tile.changedAt));
    return text;
}

} // namespace

RoomViewDialog::RoomViewDialog(Prompter& prompter, const std::filesystem::path& scoreFile, const Clock& clock,
    QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_snapshot(scoreFile, clock)
    , m_counts(new QLabel(this))
    , m_status(new QLabel(this))
    , m_tileArea(new QWidget(this))
    , m_retake(new QPushButton(QStringLiteral("选中记录重考"), this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("roomViewDialog"));
    setWindowTitle(QStringLiteral("考场监控"));
    m_counts->setObjectName(QStringLiteral("roomCounts"));
    m_counts->setAccessibleName(QStringLiteral("人数"));
    m_status->setObjectName(QStringLiteral("roomStatus"));
    m_status->setAccessibleName(QStringLiteral("状态"));
    m_status->setWordWrap(true);
    m_retake->setObjectName(QStringLiteral("retakeButton"));
    m_retake->setAccessibleName(m_retake->text());
    m_retake->setEnabled(false);
    connect(m_retake, &QPushButton::clicked, this, [this] {
        if (m_selected)
            m_snapshot.retake(*m_selected, m_prompter);
        showTiles();
    });
    auto* refreshButton = new QPushButton(QStringLiteral("刷新记录"), this);
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    refreshButton->setAccessibleName(refreshButton->text());
    connect(refreshButton, &QPushButton::clicked, this, &RoomViewDialog::refresh);

    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAccessibleName(closeButton->text());
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_tileArea);
    new QVBoxLayout(m_tileArea);

    auto* top = new QHBoxLayout;
    top->addWidget(m_counts, 1);
    top->addWidget(refreshButton);
    top->addWidget(m_retake);
    top->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_status);
    resize(900, 600);

    m_timer->setInterval(refreshMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &RoomViewDialog::refresh);
    m_timer->start();
}

void RoomViewDialog::refresh()
{
    // A failed reading keeps the last tiles: only the status line tells.
    if (m_snapshot.refresh())
        showTiles();
    showLabelValue(m_status, QStringLiteral("状态"), QString::fromStdString(m_snapshot.status()));
}

void RoomViewDialog::showTiles()
{
    const std::array<int, 3> counts = m_snapshot.counts();
    showLabelValue(m_counts, QStringLiteral("人数"),
        QStringLiteral("未考: %1人   考试中: %2人   已交卷: %3人").arg(counts[0]).arg(counts[1]).arg(counts[2]));
    const std::optional<std::string> selectedNumber = m_selected && *m_selected < m_snapshot.tiles().size()
        ? std::optional(removeSpaces(m_snapshot.tiles()[*m_selected].record.examNumber))
        : std::nullopt;
    m_selected.reset();

    auto* layout = static_cast<QVBoxLayout*>(m_tileArea->layout());
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_tiles.clear();
    const std::vector<RoomTile>& tiles = m_snapshot.tiles();
    QGridLayout* grid = nullptr;
    std::string currentClass;
    int inClass = 0;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const RoomTile& tile = tiles[i];
        const std::string schoolClass = removeSpaces(tile.record.schoolClass);
        if (!grid || schoolClass != currentClass) {
            auto* box = new QGroupBox(QString::fromStdString(gbkToUtf8(schoolClass)), m_tileArea);
            box->setAccessibleName(box->title());
            grid = new QGridLayout(box);
            layout->addWidget(box);
            currentClass = schoolClass;
            inClass = 0;
        }
        auto* button = new QPushButton(tileText(tile));
        button->setCheckable(true);
        button->setMinimumSize(120, 80);
        button->setAccessibleName(button->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
        button->setStyleSheet(QStringLiteral("QPushButton { background: %1; border: 1px solid #666; }"
                                             "QPushButton:checked { border: 3px solid #1c4587; }")
                                  .arg(QString::fromUtf8(stateColour(tile.state))));
        // A screen reader toggles the tile rather than clicking it; a click on the chosen tile
        // keeps it chosen.
        connect(button, &QPushButton::toggled, this, [this, i](bool checked) {
            if (checked)
                select(i);
        });
        connect(button, &QPushButton::clicked, this, [this, i] { select(i); });
        grid->addWidget(button, inClass / tilesPerRow, inClass % tilesPerRow);
        ++inClass;
        m_tiles.push_back(button);
        if (selectedNumber && removeSpaces(tile.record.examNumber) == *selectedNumber) {
            m_selected = i;
            button->setChecked(true);
        }
    }
    layout->addStretch();
    m_retake->setEnabled(m_selected.has_value());
}

void RoomViewDialog::select(std::size_t index)
{
    m_selected = index;
    for (std::size_t i = 0; i < m_tiles.size(); ++i)
        m_tiles[i]->setChecked(i == index);
    m_retake->setEnabled(true);
}

void runRoomView(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile, const Clock& clock)
{
    RoomViewDialog dialog(prompter, scoreFile, clock, parent);
    dialog.refresh();
    dialog.exec();
}

} // namespace olv
