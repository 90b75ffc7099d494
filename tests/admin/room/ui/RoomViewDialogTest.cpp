#include "admin/room/ui/RoomViewDialog.h"

#include "common/ScoreRecord.h"
#include "platform/Clock.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using olv::test::gbk;
using olv::test::stored;

namespace {

QString label(const QWidget* dialog, const char* name) { return olv::test::child<QLabel>(dialog, name)->text(); }

// The tiles as shown: one line of the group box's title and the tile's accessible name each.
QStringList tiles(const QWidget* dialog)
{
    QStringList shown;
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>())
        for (const QPushButton* tile : box->findChildren<QPushButton*>())
            shown << box->title() + QLatin1Char('|') + tile->accessibleName();
    return shown;
}

} // namespace

class RoomViewDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTilesByClassKeepsThemWhenUnreadableAndRetakes();
};

void RoomViewDialogTest::showsTilesByClassKeepsThemWhenUnreadableAndRetakes()
{
    olv::test::TempDir dir;
    const std::filesystem::path path = dir / "cj.kcj";
    const olv::ScoreRecord handedIn { gbk("一班"), gbk("张三"), "1001", "85" };
    olv::test::writeBytes(path,
        stored({ handedIn, { gbk("二班"), gbk("王五"), "1003", olv::loginMark() },
            { gbk("一班"), gbk("李四"), "1002", olv::blankScoreField() } }));
    olv::FixedClock clock(0);
    olv::test::ScriptedPrompter prompter;
    olv::RoomViewDialog dialog(prompter, path, clock);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("考场监控"));
    dialog.refresh();
    const QStringList before = { QStringLiteral("一班|张三 1001 已交卷 85"), QStringLiteral("一班|李四 1002 未考"),
        QStringLiteral("二班|王五 1003 考试中") };
    QCOMPARE(tiles(&dialog), before);
    QCOMPARE(label(&dialog, "roomCounts"), QStringLiteral("未考: 1人   考试中: 1人   已交卷: 1人"));

    std::filesystem::remove(path);
    dialog.refresh();
    QCOMPARE(tiles(&dialog), before);
    QVERIFY(label(&dialog, "roomStatus").endsWith(QStringLiteral("文件不存在")));

    olv::test::writeBytes(path, stored(handedIn));
    dialog.refresh();
    auto* retake = olv::test::child<QPushButton>(dialog, "retakeButton");
    QVERIFY(!retake->isEnabled());
    dialog.findChildren<QGroupBox*>().first()->findChild<QPushButton*>()->click();
    QVERIFY(retake->isEnabled());
    prompter.answerConfirm(true);
    clock.set(3600 * 8);
    retake->click();
    QCOMPARE(prompter.texts().size(), qsizetype(1));
    QCOMPARE(tiles(&dialog).size(), qsizetype(1));
    QVERIFY(tiles(&dialog).first().startsWith(QStringLiteral("一班|张三 1001 未考 ")));
    QVERIFY(retake->isEnabled()); // the same candidate stays selected
}

QTEST_MAIN(RoomViewDialogTest)
#include "RoomViewDialogTest.moc"
