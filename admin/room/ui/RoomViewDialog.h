#pragma once

#include "admin/room/RoomSnapshot.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

namespace olv {

class Clock;
class Prompter;

// "考场监控": the candidates of the score database as tiles coloured by state, read again every
// five seconds. The rules are RoomSnapshot's; the window lays out what it read.
class RoomViewDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int refreshMilliseconds = 5000;

    RoomViewDialog(Prompter& prompter, const std::filesystem::path& scoreFile, const Clock& clock,
        QWidget* parent = nullptr);

    // Reads the database now and shows the result.
    void refresh();
    const RoomSnapshot& snapshot() const { return m_snapshot; }

private:
    void showTiles();
    void select(std::size_t index);

    Prompter& m_prompter;
    RoomSnapshot m_snapshot;
    QLabel* m_counts;
    QLabel* m_status;
    QWidget* m_tileArea;
    QPushButton* m_retake;
    QTimer* m_timer;
    std::vector<QPushButton*> m_tiles;
    std::optional<std::size_t> m_selected;
};

// Opens the room view of `scoreFile` as a modal dialog and returns when it is closed.
void runRoomView(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile, const Clock& clock);

} // namespace olv
