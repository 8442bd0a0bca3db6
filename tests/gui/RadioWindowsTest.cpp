#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/gui/cuiInformation.h"
#include "app/gui/cuiPortSelect.h"
#include "app/gui/cuiProgress.h"
#include "text/BuiltinTable.h"
#include "util/Cp932.h"

namespace {
std::string Cp932ToUtf8(const std::string& text) {
    return Cp932::ToUtf8(text);
}
}  // namespace

namespace {

class RadioWindowsTest : public ::testing::Test {
protected:
    RadioWindowsTest() {
        app.table.SetLines(BuiltinTable::Lines());
        owner.resize(500, 300);
        owner.show();
    }

    guitest::AppObjects app;
    QWidget owner;
};

TEST_F(RadioWindowsTest, TypedPortOutsideTheRangeKeepsTheDialogOpen) {
    cuiPortSelect dialog(&owner, app.table, app.prompt, cmcPortChoice::Variant::Typed, 4);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("portInput"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("portOk"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(edit->text(), "4");
    std::string outOfRange = app.table.GetLine("GI_AppInd_Opt_ComSel_OutofRange", 0);
    for (const char* typed : {"0", "257", "abc"}) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << typed;
        ASSERT_FALSE(app.prompt.asked.empty()) << typed;
        EXPECT_EQ(app.prompt.asked.back(), outOfRange);
    }
    size_t shown = app.prompt.asked.size();
    edit->selectAll();
    QTest::keyClicks(edit, "256");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(app.prompt.asked.size(), shown);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Port(), 256);
}

TEST_F(RadioWindowsTest, ListedPortAbsentFromTheListChoosesNothing) {
    cuiPortSelect dialog(&owner, app.table, app.prompt, cmcPortChoice::Variant::Registry, 7, [] {
        return QStringList{"1", "3", "10"};
    });
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("portOk")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(app.prompt.asked.size(), 1u);
}

TEST_F(RadioWindowsTest, ProgressFillsItsSegmentsInTheHighlightColour) {
    cuiProgress progress(owner, app.table);
    progress.SetJob(cuiProgress::Job::Reading);
    progress.show();
    progress.SetProgress(50, 100);
    EXPECT_EQ(progress.FilledSegments(), 16);
    QWidget* bar = progress.findChild<QWidget*>(QStringLiteral("progressBar"));
    ASSERT_NE(bar, nullptr);
    QImage image = bar->grab().toImage();
    QColor highlight = bar->palette().color(QPalette::Highlight);
    QRect area = static_cast<QFrame*>(bar)->contentsRect();
    int segment = area.width() / 32;
    int y = area.center().y();
    EXPECT_EQ(image.pixelColor(area.left() + segment * 15 + 1, y), highlight);
    EXPECT_NE(image.pixelColor(area.left() + segment * 16 + 1, y), highlight);
    EXPECT_EQ(progress.windowTitle().toStdString(),
              Cp932ToUtf8(app.table.GetLine("GI_AppInd_Progress_Caption", 1)));
}

TEST_F(RadioWindowsTest, FinishedJobFillsTheWholeBarAndNoMore) {
    cuiProgress progress(owner, app.table);
    // 33 x done / total reaches 33 at the end; the bar has 32 segments.
    progress.SetFilled(33);
    EXPECT_EQ(progress.FilledSegments(), 32);
    progress.SetFilled(-1);
    EXPECT_EQ(progress.FilledSegments(), 0);
}

TEST_F(RadioWindowsTest, InformationClosedByItsCloseBoxEnablesTheMainWindowAgain) {
    QPointer<cuiInformation> window =
        cuiInformation::Show(owner, QStringLiteral("title"), app.table, "GI_Sheet_CloneInfo", {});
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(window->isEnabled());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(owner.isEnabled());
}

// Centred on a main window at a corner of the screen, the window would hang
// off the screen; it is kept inside the work area instead.
TEST_F(RadioWindowsTest, InformationStaysInsideTheWorkArea) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint corner : {work.topLeft(), work.bottomRight()}) {
        owner.setGeometry(QRect(corner - QPoint(50, 30), QSize(100, 60)));
        QPointer<cuiInformation> window = cuiInformation::Show(owner, QStringLiteral("title"),
                                                               app.table, "GI_Sheet_CloneInfo", {});
        EXPECT_TRUE(work.contains(window->frameGeometry()))
            << corner.x() << "," << corner.y() << ": " << window->frameGeometry().x() << ","
            << window->frameGeometry().y();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
