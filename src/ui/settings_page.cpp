// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/profile_compare_dialog.h"
#include "ui/operation_runner.h"
#include "ui/prompts.h"
#include "ui/settings_profiles.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

// The fields the network wizard fills.
constexpr SettingKey kSimKeys[] = {SettingKey::kUssd, SettingKey::kUssdInterval, SettingKey::kApn,
                                   SettingKey::kApnUser, SettingKey::kApnPassword};

// The bold label is seen; a screen reader says the field's description.
void SetMarked(QWidget* label, QWidget* editor, bool marked) {
  QFont font = label->font();
  if (font.bold() == marked) return;
  font.setBold(marked);
  label->setFont(font);
  const QString unsaved =
      marked ? SettingsPage::tr("Changed here and not saved to the unit yet") : QString();
  label->setToolTip(unsaved);
  editor->setAccessibleDescription(unsaved);
}

// The caption the setting table gives a setting's box.
QString Label(SettingKey key) { return Translated(Message::Of(Describe(key).label)); }

}  // namespace

SettingsPage::SettingsPage(UnitSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent),
      session_(session),
      prompts_(prompts),
      profiles_(std::make_unique<SettingsProfiles>(session, prompts, this)) {
  setObjectName(QStringLiteral("tabSettings"));
  auto* page = new QVBoxLayout(this);

  GroupBox7 = Named(new QGroupBox(QStringLiteral("SIMcard setup")), "GroupBox7");
  auto* sim = new QFormLayout(GroupBox7);
  edtUSSD = Named(new QLineEdit, "edtUSSD");
  edtUSSDinterval = Named(new QLineEdit(QStringLiteral("24")), "edtUSSDinterval");
  edtAPN = Named(new QLineEdit, "edtAPN");
  edtAPN_username = Named(new QLineEdit, "edtAPN_username");
  edtAPN_password = Named(new QLineEdit, "edtAPN_password");
  const std::pair<SettingKey, QLineEdit*> boxes[] = {{SettingKey::kUssd, edtUSSD},
                                                     {SettingKey::kUssdInterval, edtUSSDinterval},
                                                     {SettingKey::kApn, edtAPN},
                                                     {SettingKey::kApnUser, edtAPN_username},
                                                     {SettingKey::kApnPassword, edtAPN_password}};
  for (const auto& [key, box] : boxes) {
    sim->addRow(Label(key), box);
    box->setAccessibleName(Translated(Message::Of(Describe(key).title)));
  }
  btnNetworkWizard = Named(new QPushButton(QStringLiteral("Network Wizard")), "btnNetworkWizard");
  btnNetworkWizard->setEnabled(false);
  auto* wizardRow = new QHBoxLayout;
  wizardRow->addStretch(1);
  wizardRow->addWidget(btnNetworkWizard);
  sim->addRow(wizardRow);
  connect(btnNetworkWizard, &QPushButton::clicked, this, &SettingsPage::btnNetworkWizardClick);
  page->addWidget(GroupBox7);

  gboxMisc = Named(new QGroupBox(QStringLiteral("Misc. Settings")), "gboxMisc");
  gboxMisc->setEnabled(false);
  auto* misc = new QVBoxLayout(gboxMisc);
  auto* stopRow = new QHBoxLayout;
  lblTripStop_ = new QLabel(Label(SettingKey::kTripStopMinutes));
  stopRow->addWidget(lblTripStop_);
  cbox_trip_stop_time = Named(new QComboBox, "cbox_trip_stop_time");
  cbox_trip_stop_time->setEditable(true);
  cbox_trip_stop_time->setAccessibleName(tr("Time stationary before ending trip"));
  // On Linux a combo box is announced by its value and what it is by its label.
  lblTripStop_->setBuddy(cbox_trip_stop_time);
  cbox_trip_stop_time->setCompleter(nullptr);
  cbox_trip_stop_time->setInsertPolicy(QComboBox::NoInsert);
  cbox_trip_stop_time->addItems({"5", "2", "3", "4", "5", "10", "15", "20", "30", "45", "60"});
  cbox_trip_stop_time->setEditText(QStringLiteral("5"));
  cbox_trip_stop_time->setFixedWidth(60);
  stopRow->addWidget(cbox_trip_stop_time);
  stopRow->addWidget(new QLabel(QStringLiteral("minutes")));
  stopRow->addStretch(1);
  misc->addLayout(stopRow);
  chkLowPower = Named(new QCheckBox(Label(SettingKey::kLowPower)), "chkLowPower");
  misc->addWidget(chkLowPower);
  cboxIgnitionDetect = Named(new QComboBox, "cboxIgnitionDetect");
  for (const char* choice : Describe(SettingKey::kIgnition).choices)
    cboxIgnitionDetect->addItem(Translated(Message::Of(choice)));
  cboxIgnitionDetect->setCurrentIndex(-1);
  misc->addWidget(cboxIgnitionDetect);
  cboxIgnitionDetect->setVisible(false);
  page->addWidget(gboxMisc);

  // What is not saved yet, below the settings it is about.
  lblUnsaved = Named(new QLabel, "lblUnsaved");
  lblUnsaved->setWordWrap(true);
  lblUnsaved->setVisible(false);
  page->addWidget(lblUnsaved);
  lblKeptEdits = Named(new QLabel, "lblKeptEdits");
  lblKeptEdits->setWordWrap(true);
  lblKeptEdits->setVisible(false);
  page->addWidget(lblKeptEdits);
  page->addStretch(1);

  btnOpenProfile = Named(new QPushButton(QStringLiteral("Open profile...")), "btnOpenProfile");
  btnOpenProfile->setToolTip(
      QStringLiteral("Compare the unit with a settings profile and take its values into this tab"));
  btnSaveProfile = Named(new QPushButton(QStringLiteral("Save profile...")), "btnSaveProfile");
  btnSaveProfile->setToolTip(QStringLiteral("Save the unit's settings to a profile file"));
  btnSaveProfile->setEnabled(false);
  btnCompareProfile = Named(new QPushButton(QStringLiteral("Compare...")), "btnCompareProfile");
  btnCompareProfile->setToolTip(QStringLiteral("Compare the unit with a settings profile"));
  btnCompareProfile->setEnabled(false);
  connect(btnOpenProfile, &QPushButton::clicked, this, &SettingsPage::OpenProfile);
  connect(btnSaveProfile, &QPushButton::clicked, this, &SettingsPage::SaveProfile);
  connect(btnCompareProfile, &QPushButton::clicked, this, &SettingsPage::CompareWithProfile);
  auto* profileRow = new QHBoxLayout;
  profileRow->addWidget(btnOpenProfile);
  profileRow->addWidget(btnSaveProfile);
  profileRow->addWidget(btnCompareProfile);
  profileRow->addStretch(1);
  page->addLayout(profileRow);

  btnSaveSettings = Named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                          QStringLiteral("Save")),
                          "btnSaveSettings");
  btnSaveSettings->setEnabled(false);
  connect(btnSaveSettings, &QPushButton::clicked, this, &SettingsPage::btnSaveSettingsClick);
  btnSmsContent = Named(new QPushButton(tr("SMS example...")), "btnSmsContent");
  btnSmsContent->setToolTip(tr("Shows how the unit's SMS message looks with chosen values; "
                               "sends nothing to the unit"));
  btnSmsContent->setAccessibleName(tr("SMS example, a preview that sends nothing"));
  connect(btnSmsContent, &QPushButton::clicked, this, &SettingsPage::btnSmsContentClick);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(btnSmsContent);
  saveRow->addStretch(1);
  saveRow->addWidget(btnSaveSettings);
  page->addLayout(saveRow);

  fields_ = {{SettingKey::kUssd, edtUSSD, sim->labelForField(edtUSSD)},
             {SettingKey::kUssdInterval, edtUSSDinterval, sim->labelForField(edtUSSDinterval)},
             {SettingKey::kApn, edtAPN, sim->labelForField(edtAPN)},
             {SettingKey::kApnUser, edtAPN_username, sim->labelForField(edtAPN_username)},
             {SettingKey::kApnPassword, edtAPN_password, sim->labelForField(edtAPN_password)},
             {SettingKey::kTripStopMinutes, cbox_trip_stop_time, lblTripStop_},
             {SettingKey::kLowPower, chkLowPower, chkLowPower}};
  ReserveMarkWidth();
  // Only what the user does counts as an edit: these signals are not sent
  // when a reply sets the field.
  for (const Field& field : fields_) {
    const SettingKey key = field.key;
    if (auto* box = qobject_cast<QLineEdit*>(field.editor))
      connect(box, &QLineEdit::textEdited, this, [this, key] { UserEdited(key); });
  }
  connect(cbox_trip_stop_time->lineEdit(), &QLineEdit::textEdited, this,
          [this] { UserEdited(SettingKey::kTripStopMinutes); });
  connect(cbox_trip_stop_time, &QComboBox::activated, this,
          [this] { UserEdited(SettingKey::kTripStopMinutes); });
  connect(chkLowPower, &QCheckBox::clicked, this, [this] { UserEdited(SettingKey::kLowPower); });

  UnitModel& model = session_.Model();
  connect(&model, &UnitModel::settingsChanged, this,
          [this](UnitModel::SettingGroup group) { ShowSettings(static_cast<int>(group)); });
  connect(&model, &UnitModel::cleared, this, &SettingsPage::Clear);
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) ReserveMarkWidth();
}

void SettingsPage::ReserveMarkWidth() {
  // A label turning bold must not move the fields beside it.
  for (const Field& field : fields_) {
    auto* label = qobject_cast<QLabel*>(field.label);
    if (!label) continue;
    QFont bold = label->font();
    bold.setBold(true);
    label->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(label->text()) + 2);
  }
}

// ---- fields

const SettingsPage::Field* SettingsPage::FieldOf(SettingKey key) const {
  for (const Field& field : fields_)
    if (field.key == key) return &field;
  return nullptr;
}

QString SettingsPage::FieldText(SettingKey key) const {
  if (key == SettingKey::kLowPower) return chkLowPower->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  if (key == SettingKey::kTripStopMinutes) return cbox_trip_stop_time->currentText();
  if (const Field* field = FieldOf(key)) return static_cast<QLineEdit*>(field->editor)->text();
  return QString();
}

void SettingsPage::SetFieldText(SettingKey key, const QString& text) {
  if (key == SettingKey::kLowPower) {
    chkLowPower->setChecked(text == QStringLiteral("1"));
  } else if (key == SettingKey::kTripStopMinutes) {
    cbox_trip_stop_time->setEditText(text);
  } else if (const Field* field = FieldOf(key)) {
    static_cast<QLineEdit*>(field->editor)->setText(text);
  }
}

std::optional<std::string> SettingsPage::FieldValue(SettingKey key) const {
  std::string canonical;
  if (!CheckSettingValue(key, ToBytes(FieldText(key)), canonical).Empty()) return std::nullopt;
  return canonical;
}

bool SettingsPage::MatchesUnit(SettingKey key) const {
  const std::optional<std::string> value = FieldValue(key);
  if (!value) return false;
  const SettingsValues unit = SettingsValuesFromUnit(session_.Model().Settings());
  const std::string* held = unit.Find(key);
  return held && *held == *value;
}

void SettingsPage::UserEdited(SettingKey key) {
  // Typed back to what the unit holds is no change.
  edited_[static_cast<size_t>(key)] = !MatchesUnit(key);
  byWizard_[static_cast<size_t>(key)] = false;
  ShowMarks();
}

void SettingsPage::ShowUnitValue(SettingKey key, const QString& text) {
  bool& edited = edited_[static_cast<size_t>(key)];
  // A save's read-back shows what the unit holds in the fields it sent,
  // unless the user has changed one since.
  const bool readBack = saving_ && FieldText(key) == sentTexts_[static_cast<size_t>(key)];
  if (edited && !readBack) {
    edited = !MatchesUnit(key);
    return;
  }
  SetFieldText(key, text);
  edited = false;
}

void SettingsPage::ShowSettings(int group) {
  const UnitSettings& s = session_.Model().Settings();
  const auto changed = static_cast<SettingGroup>(group);
  for (const Field& field : fields_)
    if (SettingKeyGroup(field.key) == changed && s.Reported(field.key))
      ShowUnitValue(field.key, FromBytes(s.Shown(field.key)));
  if (changed == SettingGroup::Ignition) {
    if (const auto index = s.Number(SettingKey::kIgnition)) {
      // An index outside the list selects nothing rather than a wrong mode.
      cboxIgnitionDetect->setCurrentIndex(
          *index >= 0 && *index < cboxIgnitionDetect->count() ? static_cast<int>(*index) : -1);
    }
  }
  // A profile value the unit now holds no longer waits for Save.
  const SettingsValues unit = SettingsValuesFromUnit(s);
  for (const auto& [key, value] : pending_.Entries())
    if (const std::string* held = unit.Find(key); held && *held == value) pending_.Erase(key);
  ShowMarks();
}

void SettingsPage::Clear() {
  // The unit is queried again (a new connection, or after a reset). Edits
  // stay where they are: blanking them would lose them without a word, and
  // asking here would hold up the link. They stay marked, and the tab says
  // so once.
  for (const Field& field : fields_)
    if (Describe(field.key).kind != SettingKind::Flag && !IsEdited(field.key))
      SetFieldText(field.key, QString());
  if (HasUnsavedEdits()) {
    lblKeptEdits->setText(
        tr("A unit was connected while this tab had unsaved changes. They were kept in their "
           "fields instead of the unit's values, and Save writes them to this unit."));
    lblKeptEdits->setVisible(true);
  }
}

void SettingsPage::SetUnitControlsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(btnSaveSettings), static_cast<QWidget*>(btnNetworkWizard),
                     static_cast<QWidget*>(gboxMisc), static_cast<QWidget*>(btnSaveProfile),
                     static_cast<QWidget*>(btnCompareProfile)})
    w->setEnabled(enabled);
}

void SettingsPage::SetBusy(bool busy) {
  // A unit lost during the waits has already disabled them; keep it so.
  const bool usable = !busy && session_.ConnectionState() > 0;
  for (QPushButton* b : {btnSaveSettings, btnNetworkWizard, btnSaveProfile, btnCompareProfile})
    b->setEnabled(usable);
  btnOpenProfile->setEnabled(!busy);
}

SettingTexts SettingsPage::FieldTexts() const {
  SettingTexts texts;
  for (const Field& field : fields_) texts.emplace_back(field.key, ToBytes(FieldText(field.key)));
  return texts;
}

SettingsCheck SettingsPage::CheckFields() const { return CheckTypedSettings(FieldTexts()); }

std::vector<SettingGroup> SettingsPage::GroupsWithoutBox() const {
  std::vector<SettingGroup> groups;
  if (!pending_.Has(SettingKey::kTrack1) || !pending_.Has(SettingKey::kTrack2) ||
      !pending_.Has(SettingKey::kTrack4) || !pending_.Has(SettingKey::kTrack5))
    groups.push_back(SettingGroup::Track);
  if (!pending_.Has(SettingKey::kIgnition)) groups.push_back(SettingGroup::Ignition);
  return groups;
}

bool SettingsPage::AddValuesWithoutBox(SettingsValues& values, QString& why) {
  // The values without a box that the profile does not give go back as this
  // unit last reported them, read first when they were not read on this
  // connection, as Save does without a profile.
  QStringList unknown;
  const UnitSettings& held = session_.Model().Settings();
  for (SettingGroup group : GroupsWithoutBox()) {
    if (held.Read(group)) continue;
    unknown << (group == SettingGroup::Track ? tr("the tracking values")
                                             : tr("the ignition detection"));
  }
  if (!unknown.isEmpty()) {
    why = tr("Nothing was saved: %1 could not be read from the unit. Check that it is "
             "connected and try again.")
              .arg(unknown.join(tr(" and ")));
    return false;
  }
  const SettingsValues unit = SettingsValuesFromUnit(held);
  for (const SettingDescriptor& d : SettingTable())
    if (!d.label)
      if (const std::string* value = unit.Find(d.key)) values.Set(d.key, *value);
  for (const auto& [key, value] : pending_.Entries()) values.Set(key, value);
  return true;
}

void SettingsPage::btnSaveSettingsClick() {
  // The boxes are checked as the command line checks its values, before
  // anything is sent; a refused value says why and sends nothing.
  const SettingsCheck check = CheckFields();
  if (!check.Ok()) {
    prompts_.ShowMessage(Translated(check.refusal));
    return;
  }
  SetBusy(true);
  // Every value is read before Save starts: replies arriving meanwhile
  // rewrite these controls.
  for (const Field& field : fields_) sentTexts_[static_cast<size_t>(field.key)] = FieldText(field.key);
  saving_ = true;
  const auto saved = [this](const UnitSession::Outcome& outcome) {
    saving_ = false;
    // What the unit took is no longer an edit; what it refused or did not
    // read back still is.
    for (const Field& field : fields_)
      if (IsEdited(field.key) && MatchesUnit(field.key)) edited_[static_cast<size_t>(field.key)] = false;
    ShowMarks();
    // A window closed meanwhile leaves nobody to be told.
    if (!outcome.message.isEmpty() && !outcome.interrupted && window()->isVisible())
      prompts_.ShowMessage(outcome.message);
    SetBusy(false);
  };
  if (pending_.Empty()) {
    StartOperation(this, std::make_unique<SaveOperation>(session_, check.values), saved);
    return;
  }
  // A profile's values: those without a box that it does not give are read
  // first, with polling paused until the save is over.
  auto pause = std::make_shared<PollingPause>(session_);
  StartOperation(
      this, std::make_unique<ReadSettingsOperation>(session_, GroupsWithoutBox(), false),
      [this, values = check.values, saved, pause](const UnitSession::Outcome& read) mutable {
        if (read.interrupted) return saved(read);
        QString why;
        if (!AddValuesWithoutBox(values, why)) return saved(UnitSession::Outcome::Failed(why));
        StartOperation(this,
                       std::make_unique<SaveOperation>(session_, values,
                                                       UnitSession::Retained::FromForm),
                       [saved, pause](const UnitSession::Outcome& outcome) { saved(outcome); });
      });
}

// ---- the network wizard and the SMS picker

void SettingsPage::btnNetworkWizardClick() {
  if (!wizard_) return;
  // A choice made with the wizard before is replaced without a question.
  QStringList edited;
  for (SettingKey key : kSimKeys)
    if (IsEdited(key) && !byWizard_[static_cast<size_t>(key)]) edited << SettingTitle(key);
  if (!edited.isEmpty() &&
      !prompts_.AskYesNo(QStringLiteral("Network Wizard"),
                         QStringLiteral("The SIM-card fields hold changes that are not saved to "
                                        "the unit: %1.\n\nThe wizard replaces them with the "
                                        "operator's values. Open it anyway?")
                             .arg(edited.join(QStringLiteral(", ")))))
    return;
  if (wizard_->exec() != QDialog::Accepted) return;
  const std::optional<NetworkPreset> preset = wizard_->Result();
  if (!preset) return;
  for (const auto& [key, text] : *preset) SetFieldText(key, FromBytes(text));
  // The user chose these values: they wait for Save like typed ones.
  for (SettingKey key : kSimKeys) {
    edited_[static_cast<size_t>(key)] = !MatchesUnit(key);
    byWizard_[static_cast<size_t>(key)] = true;
  }
  ShowMarks();
}

void SettingsPage::btnSmsContentClick() {
  if (!smsPicker_) return;
  smsPicker_->show();
  smsPicker_->raise();
  smsPicker_->activateWindow();
}

// ---- profiles

void SettingsPage::OpenProfile() {
  SetBusy(true);
  const std::optional<SettingsValues> ticked = profiles_->ChooseFromProfile();
  if (ticked) TakeProfileValues(*ticked);
  SetBusy(false);
}

void SettingsPage::SaveProfile() {
  SetBusy(true);
  profiles_->SaveUnitSettings(
      HasUnsavedEdits()
          ? QStringLiteral("The profile holds what the unit holds: the changes not saved on the "
                           "Settings tab (%1) are not in it.")
                .arg(UnsavedEditNames().join(QStringLiteral(", ")))
          : QString());
  SetBusy(false);
}

void SettingsPage::CompareWithProfile() {
  SetBusy(true);
  profiles_->CompareWithProfile();
  SetBusy(false);
}

void SettingsPage::TakeProfileValues(const SettingsValues& values) {
  const SettingsValues unit = SettingsValuesFromUnit(session_.Model().Settings());
  for (const auto& [key, value] : values.Entries()) {
    if (FieldOf(key)) {
      SetFieldText(key, FromBytes(value));
      edited_[static_cast<size_t>(key)] = !MatchesUnit(key);
      byWizard_[static_cast<size_t>(key)] = false;
    } else if (const std::string* held = unit.Find(key); held && *held == value) {
      pending_.Erase(key);
    } else {
      pending_.Set(key, value);
    }
  }
  ShowMarks();
}

// ---- unsaved edits

bool SettingsPage::HasUnsavedEdits() const {
  for (const Field& field : fields_)
    if (IsEdited(field.key)) return true;
  return !pending_.Empty();
}

QStringList SettingsPage::UnsavedEditNames() const {
  QStringList names;
  for (SettingKey key : AllSettingKeys())
    if (IsEdited(key) || pending_.Has(key)) names << SettingTitle(key);
  return names;
}

bool SettingsPage::ConfirmLosingEdits(const QString& caption, const QString& consequence,
                                      bool discard) {
  if (!HasUnsavedEdits()) return true;
  const bool yes = prompts_.AskYesNo(
      caption, QStringLiteral("The Settings tab has changes that are not saved to the unit: %1."
                              "\n\n%2")
                   .arg(UnsavedEditNames().join(QStringLiteral(", ")), consequence));
  if (yes && discard) DiscardEdits();
  return yes;
}

void SettingsPage::DiscardEdits() {
  pending_ = SettingsValues();
  const SettingsValues unit = SettingsValuesFromUnit(session_.Model().Settings());
  for (const Field& field : fields_) {
    bool& edited = edited_[static_cast<size_t>(field.key)];
    if (!edited) continue;
    edited = false;
    // Back to what the unit reported on this connection; a field of a group
    // not read keeps its text, as no unit value is there to show.
    if (const std::string* held = unit.Find(field.key)) SetFieldText(field.key, FromBytes(*held));
  }
  ShowMarks();
}

void SettingsPage::ShowMarks() {
  for (const Field& field : fields_) SetMarked(field.label, field.editor, IsEdited(field.key));
  const bool unsaved = HasUnsavedEdits();
  if (unsaved) {
    QStringList parts;
    QStringList names;
    for (const Field& field : fields_)
      if (IsEdited(field.key)) names << SettingTitle(field.key);
    if (!names.isEmpty())
      parts << QStringLiteral("Unsaved changes: %1.").arg(names.join(QStringLiteral(", ")));
    if (!pending_.Empty()) {
      QStringList values;
      for (const auto& [key, value] : pending_.Entries())
        values << QStringLiteral("%1: %2").arg(SettingTitle(key), SettingValueText(key, value));
      parts << QStringLiteral("From the profile, with no field on this tab: %1.")
                   .arg(values.join(QStringLiteral("; ")));
    }
    parts << QStringLiteral("Save writes them to the unit.");
    const QString text = parts.join(QLatin1Char(' '));
    lblUnsaved->setText(text);
  }
  lblUnsaved->setVisible(unsaved);
  if (!unsaved) lblKeptEdits->setVisible(false);

  // The tab's title carries a mark as well, for when another tab is shown.
  for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
    auto* tabs = qobject_cast<QTabWidget*>(w);
    if (!tabs) continue;
    for (int i = 0; i < tabs->count(); ++i) {
      QWidget* tab = tabs->widget(i);
      if (tab != this && !tab->isAncestorOf(this)) continue;
      if (tabTitle_.isEmpty()) tabTitle_ = tabs->tabText(i);
      tabs->setTabText(i, unsaved ? tabTitle_ + QStringLiteral(" *") : tabTitle_);
    }
    break;
  }
}

}  // namespace wr
