// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/profile_compare_dialog.h"
#include "ui/settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
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

  GroupBox7 = Named(new QGroupBox(tr("SIMcard setup")), "GroupBox7");
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
  std::array<QLabel*, kSettingKeyCount> reasons{};
  for (const auto& [key, box] : boxes) {
    sim->addRow(Label(key), box);
    box->setAccessibleName(Translated(Message::Of(Describe(key).title)));
    reasons[static_cast<size_t>(key)] = NewReasonLabel(box);
    sim->addRow(nullptr, reasons[static_cast<size_t>(key)]);
  }
  btnNetworkWizard = Named(new QPushButton(tr("Network Wizard")), "btnNetworkWizard");
  btnNetworkWizard->setEnabled(false);
  auto* wizardRow = new QHBoxLayout;
  wizardRow->addStretch(1);
  wizardRow->addWidget(btnNetworkWizard);
  sim->addRow(wizardRow);
  connect(btnNetworkWizard, &QPushButton::clicked, this, &SettingsPage::btnNetworkWizardClick);
  page->addWidget(GroupBox7);

  gboxMisc = Named(new QGroupBox(tr("Misc. Settings")), "gboxMisc");
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
  stopRow->addWidget(new QLabel(tr("minutes")));
  stopRow->addStretch(1);
  misc->addLayout(stopRow);
  reasons[static_cast<size_t>(SettingKey::kTripStopMinutes)] = NewReasonLabel(cbox_trip_stop_time);
  misc->addWidget(reasons[static_cast<size_t>(SettingKey::kTripStopMinutes)]);
  chkLowPower = Named(new QCheckBox(Label(SettingKey::kLowPower)), "chkLowPower");
  misc->addWidget(chkLowPower);
  reasons[static_cast<size_t>(SettingKey::kLowPower)] = NewReasonLabel(chkLowPower);
  misc->addWidget(reasons[static_cast<size_t>(SettingKey::kLowPower)]);
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

  btnOpenProfile = Named(new QPushButton(tr("Open profile...")), "btnOpenProfile");
  btnOpenProfile->setToolTip(
      tr("Compare the unit with a settings profile and take its values into this tab"));
  btnSaveProfile = Named(new QPushButton(tr("Save profile...")), "btnSaveProfile");
  btnSaveProfile->setToolTip(tr("Save the unit's settings to a profile file"));
  btnSaveProfile->setEnabled(false);
  btnCompareProfile = Named(new QPushButton(tr("Compare...")), "btnCompareProfile");
  btnCompareProfile->setToolTip(tr("Compare the unit with a settings profile"));
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
                                          tr("Save")),
                          "btnSaveSettings");
  btnSaveSettings->setEnabled(false);
  connect(btnSaveSettings, &QPushButton::clicked, this, &SettingsPage::btnSaveSettingsClick);
  btnSmsContent = Named(new QPushButton(tr("SMS example...")), "btnSmsContent");
  btnSmsContent->setToolTip(tr("Shows how the unit's SMS message looks with chosen values; "
                               "sends nothing to the unit"));
  btnSmsContent->setAccessibleName(tr("SMS example, a preview that sends nothing"));
  connect(btnSmsContent, &QPushButton::clicked, this, &SettingsPage::btnSmsContentClick);
  btnRevertSettings = Named(new QPushButton(tr("&Revert")), "btnRevertSettings");
  btnRevertSettings->setToolTip(
      tr("Puts the unit's values back in the fields, in place of the changes not saved"));
  btnRevertSettings->setAccessibleName(tr("Revert the changes not saved to the unit's values"));
  btnRevertSettings->setEnabled(false);
  connect(btnRevertSettings, &QPushButton::clicked, this, &SettingsPage::DiscardEdits);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(btnSmsContent);
  saveRow->addStretch(1);
  saveRow->addWidget(btnRevertSettings);
  saveRow->addWidget(btnSaveSettings);
  page->addLayout(saveRow);

  const auto field = [&](SettingKey key, QWidget* editor, QWidget* label) {
    return Field{key, editor, label, reasons[static_cast<size_t>(key)]};
  };
  fields_ = {field(SettingKey::kUssd, edtUSSD, sim->labelForField(edtUSSD)),
             field(SettingKey::kUssdInterval, edtUSSDinterval, sim->labelForField(edtUSSDinterval)),
             field(SettingKey::kApn, edtAPN, sim->labelForField(edtAPN)),
             field(SettingKey::kApnUser, edtAPN_username, sim->labelForField(edtAPN_username)),
             field(SettingKey::kApnPassword, edtAPN_password, sim->labelForField(edtAPN_password)),
             field(SettingKey::kTripStopMinutes, cbox_trip_stop_time, lblTripStop_),
             field(SettingKey::kLowPower, chkLowPower, chkLowPower)};
  draft_.Start(FieldTexts());
  ReserveMarkWidth();
  // Only what the user does counts as an edit: these signals are not sent
  // when a reply sets the field. Save takes any other text it finds.
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

void SettingsPage::ShowSettings(int group) {
  const UnitSettings& s = session_.Model().Settings();
  const auto changed = static_cast<SettingGroup>(group);
  draft_.UnitReported(s, changed);
  if (changed == SettingGroup::Ignition) {
    if (const auto index = s.Number(SettingKey::kIgnition)) {
      // An index outside the list selects nothing rather than a wrong mode.
      cboxIgnitionDetect->setCurrentIndex(
          *index >= 0 && *index < cboxIgnitionDetect->count() ? static_cast<int>(*index) : -1);
    }
  }
  // A profile value the unit now holds no longer waits for Save.
  ShowDraft();
}

void SettingsPage::Clear() {
  // The unit is queried again (a new connection, or after a reset). Edits
  // stay where they are: blanking them would lose them without a word, and
  // asking here would hold up the link. They stay marked, and the tab says
  // so once.
  draft_.UnitCleared(session_.Model().Settings());
  ShowDraft();
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
  busy_ = busy;
  btnRevertSettings->setEnabled(!busy && HasUnsavedEdits());
}

SettingTexts SettingsPage::FieldTexts() const {
  SettingTexts texts;
  for (const Field& field : fields_) texts.emplace_back(field.key, ToBytes(FieldText(field.key)));
  return texts;
}

SettingsCheck SettingsPage::CheckFields() const { return CheckTypedSettings(FieldTexts()); }

std::vector<SettingGroup> SettingsPage::GroupsWithoutBox() const {
  std::vector<SettingGroup> groups;
  const SettingsValues& pending = draft_.Pending();
  if (!pending.Has(SettingKey::kTrack1) || !pending.Has(SettingKey::kTrack2) ||
      !pending.Has(SettingKey::kTrack4) || !pending.Has(SettingKey::kTrack5))
    groups.push_back(SettingGroup::Track);
  if (!pending.Has(SettingKey::kIgnition)) groups.push_back(SettingGroup::Ignition);
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
  for (const auto& [key, value] : draft_.Pending().Entries()) values.Set(key, value);
  return true;
}

void SettingsPage::btnSaveSettingsClick() {
  // The boxes are checked as the command line checks its values, before
  // anything is sent; a refused value says why and sends nothing.
  // A text put into a field some other way than by typing (an assistive
  // tool, say) is what Save sends too.
  for (const Field& field : fields_) {
    const QString text = FieldText(field.key);
    if (ToBytes(text) != draft_.Text(field.key)) draft_.Edit(field.key, ToBytes(text));
  }
  // A refused value stays in its field, marked with the reason.
  const SettingsCheck check = draft_.Check();
  ShowMarks();
  if (!check.Ok()) {
    prompts_.ShowMessage(Translated(check.refusal));
    return;
  }
  SetBusy(true);
  // Every value is read before Save starts; replies arriving meanwhile
  // leave the fields sent alone until the outcome is known.
  draft_.SaveStarted();
  const auto saved = [this](const UnitSession::Outcome& outcome) {
    // What the unit took shows its value and is no longer an edit; what it
    // refused or did not read back keeps what was typed, marked.
    if (outcome.done || !outcome.problems.empty())
      draft_.SaveFinished(outcome.problems, session_.Model().Settings());
    else
      draft_.SaveAbandoned();
    ShowDraft();
    // A window closed meanwhile leaves nobody to be told.
    if (!outcome.message.isEmpty() && !outcome.interrupted && window()->isVisible())
      prompts_.ShowMessage(outcome.message);
    SetBusy(false);
  };
  if (draft_.Pending().Empty()) {
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
    if (IsEdited(key) && !draft_.ByWizard(key)) edited << SettingTitle(key);
  if (!edited.isEmpty() &&
      !prompts_.AskYesNo(tr("Network Wizard"),
                         tr("The SIM-card fields hold changes that are not saved to "
                                        "the unit: %1.\n\nThe wizard replaces them with the "
                                        "operator's values. Open it anyway?")
                             .arg(edited.join(QStringLiteral(", ")))))
    return;
  if (wizard_->exec() != QDialog::Accepted) return;
  const std::optional<NetworkPreset> preset = wizard_->Result();
  if (!preset) return;
  for (const auto& [key, text] : *preset) SetFieldText(key, FromBytes(text));
  // The user chose these values: they wait for Save like typed ones.
  for (SettingKey key : kSimKeys)
    draft_.Edit(key, ToBytes(FieldText(key)), SettingsDraft::Origin::Wizard);
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
  // One profile action at a time: the one under way waits for the unit.
  if (busy_) return;
  SetBusy(true);
  profiles_->ChooseFromProfile([this](const std::optional<SettingsValues>& ticked) {
    if (ticked) TakeProfileValues(*ticked);
    SetBusy(false);
  });
}

void SettingsPage::SaveProfile() {
  if (busy_) return;
  SetBusy(true);
  profiles_->SaveUnitSettings(
      HasUnsavedEdits()
          ? tr("The profile holds what the unit holds: the changes not saved on the "
                           "Settings tab (%1) are not in it.")
                .arg(UnsavedEditNames().join(QStringLiteral(", ")))
          : QString(),
      [this] { SetBusy(false); });
}

void SettingsPage::CompareWithProfile() {
  if (busy_) return;
  SetBusy(true);
  profiles_->CompareWithProfile([this] { SetBusy(false); });
}

void SettingsPage::TakeProfileValues(const SettingsValues& values) {
  draft_.TakeValues(values);
  ShowDraft();
}

}  // namespace wr
