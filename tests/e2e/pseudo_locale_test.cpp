// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every window and dialog of the pictures under the pseudo-translation, whose
// texts are all about 40 % longer and in brackets: a text still in English
// escaped translation, and a control too small for its text is cut.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWizard>

#include <fstream>

#include "app/screenshots.h"
#include "e2e/app_fixture.h"
#include "ui/layout_check.h"
#include "ui/main_page.h"

namespace wr::test {
namespace {

class PseudoLocaleTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pseudo_.load(QStringLiteral(WR_PSEUDO_QM))) << WR_PSEUDO_QM;
    QCoreApplication::installTranslator(&pseudo_);
    AppFixture::SetUp();
  }
  void TearDown() override {
    AppFixture::TearDown();
    QCoreApplication::removeTranslator(&pseudo_);
  }
  void ConfigureBus(SimulatedBus& bus) override {
    SimulatedUnit::Options second;
    second.deviceId = "WR0001234568";
    bus.Unplug(bus.AddUnit(0x16D0, 0x06AF, second));
  }

 private:
  QTranslator pseudo_;
};

// What is left of a text once every translated piece ("[...]") is taken
// out: English words there escaped translation. Values the unit or the user
// gave are not texts of the tool and hold no word of three letters and more
// often enough to matter; those that do are named by their control below.
QString Untranslated(QString text) {
  static const QRegularExpression translated(QStringLiteral("\\[[^\\[\\]]*~\\]"));
  // Inner pieces first: a translated text may hold others as its arguments.
  for (qsizetype before = -1; before != text.size();) {
    before = text.size();
    text.replace(translated, QStringLiteral(" "));
  }
  // Names, which no language translates: the tool's, its libraries', and the
  // terminal window's title, which names it as the unit's other tools do.
  static const QRegularExpression names(
      QStringLiteral("Wayrunner Track|\\b(libusb|zlib|libxlsxwriter|frmComms)\\b"));
  text.remove(names);
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
  return word.match(text).hasMatch() ? text.simplified() : QString();
}

// Controls that show what the unit, the user or the system gave, and Qt's own
// standard buttons (translated by Qt's files, not the tool's).
bool ShowsValues(const QWidget* w) {
  static const QStringList values = {
      // the unit picker and the names of languages, each in its own language
      QStringLiteral("cboxUnit"),
  };
  for (const QWidget* p = w; p; p = p->parentWidget()) {
    if (values.contains(p->objectName())) return true;
    if (qobject_cast<const QDialogButtonBox*>(p)) return true;
  }
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
    if (auto* box = qobject_cast<QMessageBox*>(w->window()); box && box->standardButton(
                                                                    const_cast<QAbstractButton*>(button)))
      return true;
    if (auto* wizard = qobject_cast<QWizard*>(w->window()))
      for (int b = QWizard::BackButton; b <= QWizard::CustomButton3; ++b)
        if (wizard->button(static_cast<QWizard::WizardButton>(b)) == button) return true;
  }
  return false;
}

class TextCollector {
 public:
  void Look(QWidget* window) {
    if (!window) return;
    const QString where = window->objectName();
    Check(where, QStringLiteral("title"), window->windowTitle());
    if (auto* menu = qobject_cast<QMenu*>(window)) {
      Check(where, QStringLiteral("title"), menu->title());
      for (QAction* a : menu->actions()) {
        if (!a->isVisible() || a->isSeparator() || a->objectName().startsWith(QLatin1String("actLanguage_")))
          continue;
        Check(where, a->objectName(), a->text());
        Check(where, a->objectName(), a->toolTip() == QString(a->text()).remove(QLatin1Char('&'))
                                          ? QString()
                                          : a->toolTip());
      }
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(window) || ShowsValues(w)) continue;
      const QString name = w->objectName().isEmpty()
                               ? QString::fromLatin1(w->metaObject()->className())
                               : w->objectName();
      Check(where, name, w->toolTip());
      Check(where, name, w->accessibleName());
      Check(where, name, w->accessibleDescription());
      if (auto* label = qobject_cast<QLabel*>(w)) Check(where, name, label->text());
      if (auto* button = qobject_cast<QAbstractButton*>(w)) Check(where, name, button->text());
      if (auto* group = qobject_cast<QGroupBox*>(w)) Check(where, name, group->title());
      if (auto* tabs = qobject_cast<QTabBar*>(w))
        for (int i = 0; i < tabs->count(); ++i) Check(where, name, tabs->tabText(i));
      if (auto* bar = qobject_cast<QMenuBar*>(w))
        for (QAction* a : bar->actions()) Check(where, name, a->text());
      if (auto* table = qobject_cast<QTableWidget*>(w))
        for (int c = 0; c < table->columnCount(); ++c)
          if (const QTableWidgetItem* item = table->horizontalHeaderItem(c))
            Check(where, name, item->text());
    }
    for (const QString& cut : CutControls(*window)) problems_ << where + QStringLiteral(": cut: ") + cut;
  }
  QStringList Problems() const {
    QStringList out = problems_;
    out.removeDuplicates();
    return out;
  }

 private:
  void Check(const QString& window, const QString& control, const QString& text) {
    const QString left = Untranslated(text);
    if (!left.isEmpty())
      problems_ << QStringLiteral("%1: %2: not translated: \"%3\" in \"%4\"")
                       .arg(window, control, left, text.left(120));
  }
  QStringList problems_;
};

TEST_F(PseudoLocaleTest, EveryTextIsTranslatedAndNothingIsCut) {
  // The pseudo-translation reaches the window at all.
  ASSERT_TRUE(Main().mnuFile->title().startsWith(QLatin1Char('[')))
      << Main().mnuFile->title().toStdString();
  TextCollector collector;
  VisitPictureWindows(App(), &Bus(), [&collector](QWidget* window, QWidget* menu, QWidget* submenu) {
    for (QWidget* w : {window, menu, submenu}) collector.Look(w);
  });
  EXPECT_EQ(collector.Problems().join(QLatin1Char('\n')).toStdString(), "");
}

// What the core says of a file the user picked reaches the window in the
// user's language, with the file's own name and values inside it.
TEST_F(PseudoLocaleTest, CoreMessagesAboutFilesAreShownTranslated) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const auto file = [&dir](const char* name, const std::string& content) {
    const QString path = dir.filePath(QLatin1String(name));
    std::ofstream(path.toStdString(), std::ios::binary) << content;
    return path;
  };
  std::string wrongProduct = "Gadget,1.100\r\n";
  wrongProduct.resize(512, '\0');
  const struct {
    const char* what;
    const char* button;
    QString file;
  } cases[] = {
      {"profile line refused", "btnOpenProfile", file("line.ini", "[settings]\ncolour = red\n")},
      {"profile key given twice", "btnCompareProfile", file("twice.ini", "[settings]\napn = a\napn = b\n")},
      {"profile too large to read", "btnOpenProfile", file("large.ini", std::string(70000, ';'))},
      {"upgrade file missing", "btnUpgrade", dir.filePath(QStringLiteral("absent.fw"))},
      {"upgrade file of another product", "btnUpgrade", file("other.fw", wrongProduct)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Prompts().shown.clear();
    Prompts().files = {c.file};
    Prompts().yesNo = {true};  // the upgrade's first question
    Click(QLatin1String(c.button));
    ASSERT_TRUE(WaitFor([this] { return !Prompts().Messages().empty() && !App().Upgrade().Busy(); }));
    const QString message = Prompts().Messages().front();
    EXPECT_TRUE(message.startsWith(QLatin1Char('['))) << message.toStdString();
    EXPECT_EQ(Untranslated(message).toStdString(), "") << message.toStdString();
  }
  // The list of what Send defaults writes, asked before anything is sent.
  const QString defaults = MainPage::DefaultsQuestion(QStringLiteral("track.example.org"));
  EXPECT_EQ(Untranslated(defaults).toStdString(), "") << defaults.toStdString();
}

}  // namespace
}  // namespace wr::test
