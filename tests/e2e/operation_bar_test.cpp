// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The strip at the foot of the main window that shows the unit work running,
// against a slow unit.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "e2e/app_fixture.h"
#include "ui/operation_bar.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

class OperationBarTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    Bar().SetOutcomeShownMs(1000);
    // The queries of the connection have ended and their outcome has gone.
    ASSERT_TRUE(WaitUntilOperationsDone());
    ASSERT_TRUE(WaitFor([this] { return !Bar().isVisible(); }, 2 * OperationBar::kOutcomeShownMs));
  }
  OperationBar& Bar() { return *Main().pnlOperation; }
  std::string Said() { return Bar().lblOperation->text().toStdString(); }
};

TEST_F(OperationBarTest, SaveShowsItsTitleAndHowFarItHasGotThenHowItEndedThenHides) {
  Bus().SetWriteDelay(100ms);
  Press(QStringLiteral("btnSaveSettings"));
  ASSERT_TRUE(Bar().isVisible());
  EXPECT_EQ(Said(), "Saving the settings");
  EXPECT_TRUE(Bar().pbarOperation->isVisible());
  // A save is not stopped halfway: the unit would hold half the settings.
  EXPECT_FALSE(Bar().btnCancelOperation->isVisible());
  // Each set command answered moves the bar on.
  EXPECT_TRUE(WaitFor([this] {
    return Bar().pbarOperation->maximum() > 0 && Bar().pbarOperation->value() > 0;
  }));
  ASSERT_TRUE(WaitUntilOperationsDone());
  EXPECT_EQ(Said(), "Saving the settings: done.");
  EXPECT_EQ(Bar().accessibleDescription().toStdString(), "Saving the settings: done.");
  EXPECT_FALSE(Bar().pbarOperation->isVisible());
  EXPECT_TRUE(WaitFor([this] { return !Bar().isVisible(); }));
}

TEST_F(OperationBarTest, CancelEndsFetchingTripsAndTheWindowStaysUsable) {
  Unit().GenerateTrips(50);
  Bus().SetWriteDelay(300ms);
  const size_t boxes = Prompts().shown.size();
  // No trips are listed yet: the export fetches them first.
  Press(QStringLiteral("btnExcel"));
  ASSERT_TRUE(Bar().isVisible());
  EXPECT_EQ(Said(), "Fetching trips");
  EXPECT_EQ(Bar().pbarOperation->maximum(), 0);  // busy: the unit says no total
  ASSERT_TRUE(Bar().btnCancelOperation->isVisible());
  EXPECT_EQ(Bar().btnCancelOperation->accessibleName().toStdString(), "Cancel: Fetching trips");

  QTest::mouseClick(Bar().btnCancelOperation, Qt::LeftButton);
  EXPECT_FALSE(Session().OperationsRunning());
  EXPECT_EQ(Said(), "Fetching trips: cancelled.");
  EXPECT_FALSE(Bar().btnCancelOperation->isVisible());
  // Nothing is exported, and nothing asks.
  EXPECT_EQ(Prompts().shown.size(), boxes);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  Bus().SetWriteDelay(0ms);
  EXPECT_TRUE(Trips().btnGetTrips->isEnabled());
  EXPECT_TRUE(Trips().btnExcel->isEnabled());
  Press(QStringLiteral("btnGetTrips"));
  EXPECT_TRUE(WaitFor([this] { return Session().Model().Trips().size() == 50u; }));
  EXPECT_TRUE(WaitFor([this] { return !Bar().isVisible(); }));
}

}  // namespace
}  // namespace wr::test
