// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The values a unit can add to its SMS message, and the content mask and
// example text built from a choice of them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/message.h"

namespace wr {

struct SmsContentRow {
  std::string_view checkBox;  // objectName of the row's check box
  std::string_view caption;  // marked for translation, as the group
  std::string_view group;  // caption of the group box it stands in
  std::string_view label;  // shown before the value when descriptions are on
  std::string_view sample;
  uint32_t bit;
};

inline constexpr std::string_view kSmsGroupMisc = WR_TRANSLATE_NOOP("wr::Core", "Miscellaneous");
inline constexpr std::string_view kSmsGroupInputs = WR_TRANSLATE_NOOP("wr::Core", "Inputs / Voltages");
inline constexpr std::string_view kSmsGroupOutputs = WR_TRANSLATE_NOOP("wr::Core", "Outputs");

inline constexpr size_t kSmsContentRowCount = 17;

// In message order, which is also the order of the mask bits. Bit 0x2 is
// not used by any row.
inline constexpr std::array<SmsContentRow, kSmsContentRowCount> kSmsContentRows = {{
    {"CheckBox1", WR_TRANSLATE_NOOP("wr::Core", "Unit ID"), kSmsGroupMisc, "ID", "78190234", 0x4},
    {"CheckBox2", WR_TRANSLATE_NOOP("wr::Core", "Firmware Version"), kSmsGroupMisc, "Firmware", "1.003", 0x8},
    {"CheckBox3", WR_TRANSLATE_NOOP("wr::Core", "GSM Signal Strength"), kSmsGroupMisc, "Signal", "-89dBm", 0x10},
    {"CheckBox4", WR_TRANSLATE_NOOP("wr::Core", "GPS Coordinates"), kSmsGroupMisc, "Position", "-26.1788,28.2434", 0x20},
    {"CheckBox5", WR_TRANSLATE_NOOP("wr::Core", "GPS Status"), kSmsGroupMisc, "GPS", "No Fix", 0x40},
    {"CheckBox6", WR_TRANSLATE_NOOP("wr::Core", "Internal Temperature"), kSmsGroupMisc, "Temp.Int", "31degC", 0x80},
    {"CheckBox7", WR_TRANSLATE_NOOP("wr::Core", "External Temperature"), kSmsGroupMisc, "Temp.Ext", "28degC", 0x100},
    {"CheckBox8", WR_TRANSLATE_NOOP("wr::Core", "External Supply Voltage"), kSmsGroupInputs, "Supply", "12.1V", 0x200},
    {"CheckBox9", WR_TRANSLATE_NOOP("wr::Core", "Internal Battery Voltage"), kSmsGroupInputs, "Battery", "3.8V", 0x400},
    {"CheckBox10", WR_TRANSLATE_NOOP("wr::Core", "Digital Input"), kSmsGroupInputs, "Input", "LOW", 0x800},
    {"CheckBox11", WR_TRANSLATE_NOOP("wr::Core", "Analog Input 1"), kSmsGroupInputs, "InputA1", "0.0V", 0x1000},
    {"CheckBox12", WR_TRANSLATE_NOOP("wr::Core", "Analog Input 2"), kSmsGroupInputs, "InputA2", "1.2V", 0x2000},
    {"CheckBox13", WR_TRANSLATE_NOOP("wr::Core", "Analog Input 3"), kSmsGroupInputs, "InputA3", "2.3V", 0x4000},
    {"CheckBox14", WR_TRANSLATE_NOOP("wr::Core", "Analog Input 4"), kSmsGroupInputs, "InputA4", "15.6V", 0x8000},
    {"CheckBox15", WR_TRANSLATE_NOOP("wr::Core", "Relay Status"), kSmsGroupOutputs, "Relay", "ON", 0x10000},
    {"CheckBox16", WR_TRANSLATE_NOOP("wr::Core", "Digital Output Status"), kSmsGroupOutputs, "Output", "LOW", 0x20000},
    {"CheckBox17", WR_TRANSLATE_NOOP("wr::Core", "Buzzer Status"), kSmsGroupOutputs, "Buzzer", "OFF", 0x40000},
}};

// The "describe each value" box adds this bit and a label before each value.
inline constexpr uint32_t kSmsDescriptionBit = 0x1;
inline constexpr std::string_view kSmsDescriptionCaption =
    WR_TRANSLATE_NOOP("wr::Core", "Give a description of each added values");

struct SmsContent {
  std::string example;
  uint32_t mask = 0;
};

// ticked[i] is the state of kSmsContentRows[i]. The example starts with base
// and gets, per ticked row, a blank, the label and ':' when descriptions are
// on, and the sample value.
SmsContent BuildSmsContent(const std::array<bool, kSmsContentRowCount>& ticked, bool descriptions,
                           std::string_view base = {});

}  // namespace wr
