// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds in every window and dialog of the pictures:
// each control a user operates has a name, and no two in one window share a
// name and a role, nor an Alt+letter key; Tab goes in the order they show.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTranslator>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "app/screenshots.h"
#include "e2e/app_fixture.h"
#include "ui/status_page.h"
#include "ui/tfrm_upgrade.h"

namespace wr::test {
namespace {

class AccessibilityTest : public AppFixture {
 protected:
  // A second unit, unplugged: the pictures plug it in for the unit picker.
  void ConfigureBus(SimulatedBus& bus) override {
    SimulatedUnit::Options second;
    second.deviceId = "WR0001234568";
    bus.Unplug(bus.AddUnit(0x16D0, 0x06AF, second));
  }
};

bool Operated(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::ProgressBar:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
      return true;
    default:
      return false;
  }
}

// Their items are named by what they hold.
bool ItemsOwnNames(QAccessible::Role role) {
  return role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree ||
         role == QAccessible::ComboBox || role == QAccessible::SpinBox;
}

// Qt announces a combo box on Linux by its value and what it is by the label
// that names it (its buddy); elsewhere by its own name. Both must say it.
QString NameOf(QAccessibleInterface* node) {
  if (node->role() != QAccessible::ComboBox) return node->text(QAccessible::Name).trimmed();
  const auto labels = node->relations(QAccessible::Label);
  if (labels.isEmpty() || !node->object()) return QString();
  const QString own = static_cast<QWidget*>(node->object())->accessibleName();
  return own.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name).trimmed();
}

class Walker {
 public:
  void Walk(QWidget* window) {
    if (!window) return;
    Visit(QAccessible::queryAccessibleInterface(window), window, 0);
    Mnemonics(window);
  }
  QStringList Problems() const {
    QStringList out = unnamed_;
    for (const auto& [key, objects] : named_)
      if (objects.size() > 1)
        out << QStringLiteral("%1: %2 controls named \"%3\" (role %4)")
                   .arg(std::get<0>(key)->objectName())
                   .arg(objects.size())
                   .arg(std::get<2>(key))
                   .arg(std::get<1>(key));
    out.removeDuplicates();
    return out;
  }

 private:
  void Visit(QAccessibleInterface* node, QWidget* window, int depth) {
    if (!node || !node->isValid() || depth > 40) return;
    // A window drawn without being shown (the upgrade dialog) is walked whole.
    if (window->isVisible() && node->state().invisible) return;
    const QAccessible::Role role = node->role();
    if (Operated(role)) {
      const QString name = NameOf(node);
      QObject* object = node->object();
      if (name.isEmpty())
        unnamed_ << QStringLiteral("%1: %2 %3 (role %4) has no accessible name")
                        .arg(window->objectName(),
                             object ? QString::fromLatin1(object->metaObject()->className())
                                    : QString(),
                             object ? object->objectName() : QString())
                        .arg(role);
      else if (object)
        named_[{window, role, name}].insert(object);
    }
    if (ItemsOwnNames(role)) return;
    for (int i = 0; i < node->childCount(); ++i) Visit(node->child(i), window, depth + 1);
  }

  // Alt+letter keys of what is on screen in the window now: no two alike.
  void Mnemonics(QWidget* window) {
    std::map<QString, QStringList> keys;
    auto add = [&keys](const QString& text) {
      const QString key = QKeySequence::mnemonic(text).toString();
      if (!key.isEmpty()) keys[key] << QString(text).remove(QLatin1Char('&'));
    };
    if (auto* menu = qobject_cast<QMenu*>(window))
      for (QAction* a : menu->actions())
        if (a->isVisible()) add(a->text());
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible() || w->window() != window) continue;
      if (auto* button = qobject_cast<QAbstractButton*>(w)) add(button->text());
      if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy()) add(label->text());
      if (auto* group = qobject_cast<QGroupBox*>(w); group && group->isCheckable())
        add(group->title());
      if (auto* tabs = qobject_cast<QTabBar*>(w))
        for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
      if (auto* bar = qobject_cast<QMenuBar*>(w))
        for (QAction* a : bar->actions()) add(a->text());
    }
    for (const auto& [key, texts] : keys)
      if (texts.size() > 1)
        unnamed_ << QStringLiteral("%1: %2 is the key of %3")
                        .arg(window->objectName(), key, texts.join(QStringLiteral(", ")));
  }

  QStringList unnamed_;
  std::map<std::tuple<QWidget*, int, QString>, std::set<QObject*>> named_;
};

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasItsOwnNameAndKey) {
  Walker walker;
  VisitPictureWindows(App(), &Bus(), [&walker](QWidget* window, QWidget* menu, QWidget* submenu) {
    for (QWidget* w : {window, menu, submenu}) walker.Walk(w);
  });
  EXPECT_EQ(walker.Problems().join(QLatin1Char('\n')).toStdString(), "");
}

// Tab goes through what a window shows in reading order: container by
// container (a group, a tab page), and within one top to bottom, left to
// right along a row.
class TabOrder {
 public:
  void Walk(QWidget* window) {
    // Menus have no Tab order; Qt's own dialogs keep theirs.
    if (!window || qobject_cast<QMenu*>(window) || window->inherits("QFileDialog")) return;
    std::vector<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
      QWidget* control = Control(w, window);
      if (control && (chain.empty() || chain.back() != control) &&
          std::find(chain.begin(), chain.end(), control) == chain.end())
        chain.push_back(control);
    }
    if (chain.size() < 2) return;
    // The cycle starts at what comes first on screen.
    const auto first = std::min_element(chain.begin(), chain.end(), Before);
    std::rotate(chain.begin(), first, chain.end());
    for (size_t i = 0; i + 1 < chain.size(); ++i)
      if (Before(chain[i + 1], chain[i]))
        problems_ << QStringLiteral("%1: Tab goes from %2 to %3, which comes before it on screen")
                         .arg(Title(window), Name(chain[i]), Name(chain[i + 1]));
  }
  QStringList Problems() const {
    QStringList out = problems_;
    out.removeDuplicates();
    return out;
  }

 private:
  static QString Title(QWidget* window) {
    if (auto* tabs = window->findChild<QTabWidget*>(); tabs && tabs->currentWidget())
      return window->objectName() + QLatin1Char('/') + tabs->currentWidget()->objectName();
    return window->objectName();
  }
  static QString Name(QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
  }
  // What Tab stops at, as the user sees it: the spin box or combo box rather
  // than the field inside it; nothing hidden, disabled or passed over.
  static QWidget* Control(QWidget* w, QWidget* window) {
    if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled() ||
        (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || w->focusProxy())
      return nullptr;
    for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget())
      if (qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up)) return up;
    return w;
  }
  // What holds a control, from itself up to its window: widgets and the
  // layouts in them (a column of buttons beside a form is a container of its
  // own), each with its place in the widget it lies in.
  struct Holder {
    const QObject* id;
    QRect place;
  };
  static bool LayoutPath(QLayout* layout, QWidget* w, std::vector<QLayout*>& path) {
    for (int i = 0; i < layout->count(); ++i) {
      QLayoutItem* item = layout->itemAt(i);
      QLayout* sub = item->layout();
      if (item->widget() == w || (sub && LayoutPath(sub, w, path))) {
        path.push_back(layout);
        return true;
      }
    }
    return false;
  }
  static std::vector<Holder> Holders(QWidget* w) {
    std::vector<Holder> out;
    for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
      out.push_back({w, w->geometry()});
      std::vector<QLayout*> path;
      if (QWidget* parent = w->parentWidget(); parent && parent->layout() && !w->isWindow())
        LayoutPath(parent->layout(), w, path);
      for (QLayout* layout : path) out.push_back({layout, layout->geometry()});
    }
    return out;
  }
  // a's side and b's side under the nearest holder of both; none for the
  // one that is that holder itself.
  static std::pair<const Holder*, const Holder*> Sides(const std::vector<Holder>& a,
                                                       const std::vector<Holder>& b) {
    for (size_t j = 0; j < b.size(); ++j)
      for (size_t i = 0; i < a.size(); ++i)
        if (a[i].id == b[j].id) return {i ? &a[i - 1] : nullptr, j ? &b[j - 1] : nullptr};
    return {nullptr, nullptr};
  }
  static bool Before(QWidget* a, QWidget* b) {
    if (a == b) return false;
    const std::vector<Holder> upA = Holders(a), upB = Holders(b);
    const auto [sideA, sideB] = Sides(upA, upB);
    // A container comes before what it holds.
    if (!sideA) return true;
    if (!sideB) return false;
    const QRect ra = sideA->place, rb = sideB->place;
    const int overlap = std::min(ra.bottom(), rb.bottom()) - std::max(ra.top(), rb.top());
    if (overlap * 2 >= std::min(ra.height(), rb.height())) return ra.left() < rb.left();
    return ra.center().y() < rb.center().y();
  }

  QStringList problems_;
};

TEST_F(AccessibilityTest, TabFollowsWhatEveryWindowShows) {
  TabOrder order;
  VisitPictureWindows(App(), &Bus(), [&order](QWidget* window, QWidget*, QWidget*) {
    order.Walk(window);
  });
  EXPECT_EQ(order.Problems().join(QLatin1Char('\n')).toStdString(), "");
}

// The same in German, whose captions and Alt keys are its own.
class GermanAccessibilityTest : public AccessibilityTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(german_.load(QStringLiteral(":/i18n/wayrunner_de.qm")));
    QCoreApplication::installTranslator(&german_);
    AccessibilityTest::SetUp();
  }
  void TearDown() override {
    AccessibilityTest::TearDown();
    QCoreApplication::removeTranslator(&german_);
  }

 private:
  QTranslator german_;
};

TEST_F(GermanAccessibilityTest, EveryControlOfEveryWindowHasItsOwnNameAndKey) {
  ASSERT_EQ(Main().mnuFile->title().toStdString(), "&Datei");
  Walker walker;
  VisitPictureWindows(App(), &Bus(), [&walker](QWidget* window, QWidget* menu, QWidget* submenu) {
    for (QWidget* w : {window, menu, submenu}) walker.Walk(w);
  });
  EXPECT_EQ(walker.Problems().join(QLatin1Char('\n')).toStdString(), "");
}

// The names carry what the layout shows around a control.
TEST_F(AccessibilityTest, NamesSayWhatTheLayoutShows) {
  const std::map<QString, QString> expected = {
      {QStringLiteral("btnBuzzerOn"), QStringLiteral("Buzzer on")},
      {QStringLiteral("btn3V3Off"), QStringLiteral("3.3 V supply off")},
      {QStringLiteral("edt_GSM_status"), QStringLiteral("GSM status")},
      {QStringLiteral("edt_GPS_signal"), QStringLiteral("GPS status")},
      {QStringLiteral("cbox_trip_stop_time"), QStringLiteral("Time stationary before ending trip")},
      {QStringLiteral("sgridTrips"), QStringLiteral("Trips")},
  };
  for (const auto& [object, name] : expected) {
    QWidget* control = Control(object);
    ASSERT_NE(control, nullptr) << object.toStdString();
    QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(control);
    EXPECT_EQ(NameOf(a11y).toStdString(), name.toStdString()) << object.toStdString();
  }
  QAccessibleInterface* progress =
      QAccessible::queryAccessibleInterface(App().Upgrade().pbarUpgrade);
  EXPECT_EQ(progress->text(QAccessible::Name).toStdString(), "Upgrade progress");
}

// The keyboard alone: no mouse event from the start.
class KeyboardOnlyTest : public AppFixture {
 protected:
  static QWidget* Focused() { return QApplication::focusWidget(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focused(), key, modifiers);
  }
  // Tab until target has the focus (the order it is reached in is the tab
  // order); false when it never does.
  bool TabTo(QWidget* target) {
    for (int i = 0; i < 80 && Focused() != target; ++i) Key(Qt::Key_Tab);
    return Focused() == target;
  }
  // The window comes up with the focus on its tabs; Right picks the next.
  void OpenTab(int index) {
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Main().pageControl->tabBar()->setFocus(Qt::TabFocusReason);
    for (int i = Main().pageControl->currentIndex(); i < index; ++i) Key(Qt::Key_Right);
    ASSERT_EQ(Main().pageControl->currentIndex(), index);
  }
};

TEST_F(KeyboardOnlyTest, ChangedApnIsAnnouncedAndSaved) {
  OpenTab(2);
  ASSERT_TRUE(TabTo(SettingsTab().edtAPN));
  Key(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Focused(), QStringLiteral("fleet.apn"));
  EXPECT_EQ(SettingsTab().edtAPN->accessibleDescription().toStdString(),
            "Changed here and not saved to the unit yet");
  ASSERT_TRUE(TabTo(SettingsTab().btnSaveSettings));
  Key(Qt::Key_Space);
  EXPECT_TRUE(WaitFor([this] {
    return Unit().ReceivedCount([](const std::string& line) {
             return line.rfind("AT+GPRS=fleet.apn,", 0) == 0;
           }) == 1;
  }));
  EXPECT_TRUE(WaitFor([this] { return SettingsTab().edtAPN->accessibleDescription().isEmpty(); }));
}

TEST_F(KeyboardOnlyTest, TripsAreFetchedAndExported) {
  Unit().GenerateTrips(3);
  OpenTab(3);
  ASSERT_TRUE(TabTo(Trips().btnGetTrips));
  Key(Qt::Key_Space);
  // A heading row, then one row per trip.
  ASSERT_TRUE(WaitFor([this] {
    const QTableWidgetItem* last = Trips().sgridTrips->item(3, 0);
    return last && !last->text().isEmpty();
  }));
  QTemporaryDir out;
  const QString file = out.filePath(QStringLiteral("trips.csv"));
  Prompts().saveFiles = {file};
  Prompts().saveFilter = QStringLiteral("CSV table (*.csv)");
  ASSERT_TRUE(TabTo(Trips().btnExcel));
  Key(Qt::Key_Space);
  QFile written(file);
  ASSERT_TRUE(WaitFor([&written] { return written.exists() && written.size() > 0; }));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().count('\n'), 4);  // the heading and the three trips
}

TEST_F(KeyboardOnlyTest, UpgradeIsStartedAndCancelled) {
  UseQuickUpgrades();
  Unit().SetLatency(std::chrono::milliseconds(20));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("unit.fw"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray header("QuonII,1.2");
    header.resize(256, '\0');
    file.write(header + QByteArray(256 * 10, 'Z'));
  }
  Prompts().yesNo = {true, true};
  Prompts().files = {path};
  TfrmUpgrade& dialog = App().Upgrade();
  bool cancelReached = false;
  // In the dialog's own loop: the second block stays unanswered while the
  // keyboard reaches Cancel.
  When([this] { return Unit().TimesBlockReceived(2) > 0; },
       [this, &dialog, &cancelReached] {
         Unit().SetLatency(std::chrono::milliseconds(5000));
         if (!Focused()) return;
         cancelReached = TabTo(dialog.btnCancel);
         if (cancelReached) Key(Qt::Key_Space);
       });
  OpenTab(0);
  ASSERT_TRUE(TabTo(MainTab().btnUpgrade));
  Key(Qt::Key_Space);  // returns once the dialog has closed
  EXPECT_TRUE(cancelReached);
  EXPECT_EQ(Prompts().Messages(), std::vector<QString>{QStringLiteral("Firmware upgrade stopped!")});
  EXPECT_EQ(Unit().TimesBlockReceived(3), 0);
  EXPECT_FALSE(dialog.upgradeSucceeded);
}

}  // namespace
}  // namespace wr::test
