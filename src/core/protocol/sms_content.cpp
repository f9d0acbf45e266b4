// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/sms_content.h"

namespace wr {

SmsContent BuildSmsContent(const std::array<bool, kSmsContentRowCount>& ticked, bool descriptions,
                           std::string_view base) {
  SmsContent out;
  out.example.assign(base);
  if (descriptions) out.mask |= kSmsDescriptionBit;
  for (size_t i = 0; i < kSmsContentRowCount; ++i) {
    if (!ticked[i]) continue;
    const SmsContentRow& row = kSmsContentRows[i];
    out.example += ' ';
    if (descriptions) {
      out.example += row.label;
      out.example += ':';
    }
    out.example += row.sample;
    out.mask |= row.bit;
  }
  return out;
}

}  // namespace wr
