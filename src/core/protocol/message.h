// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Texts for people, made in the core and shown by the layers above. A
// message is an English source text with %1, %2, ... and its arguments; the
// source texts are marked with WR_TRANSLATE_NOOP so that the translation
// tools find them (lupdate -tr-function-alias QT_TRANSLATE_NOOP+=WR_TRANSLATE_NOOP),
// and a layer with translations looks them up under kMessageContext.
#include <string>
#include <vector>

// Marks an English source text for translation; the text itself is the value.
#define WR_TRANSLATE_NOOP(context, text) text

namespace wr {

// The translation context of every source text the core marks.
inline constexpr const char* kMessageContext = "wr::Core";

struct Message {
  // An English source text marked with WR_TRANSLATE_NOOP; null for a text
  // shown as it is (a value, a key) or for a sequence of parts.
  const char* source = nullptr;
  // Without a source: the text shown as it is, followed by the args.
  std::string text;
  // With a source: the arguments %1, %2, ...; without: parts that follow text.
  std::vector<Message> args;

  static Message Of(const char* source, std::vector<Message> args = {});
  static Message Plain(std::string text);
  // Parts shown one after the other.
  static Message Join(std::vector<Message> parts);

  bool Empty() const { return !source && text.empty() && args.empty(); }
  // The English text, arguments in place.
  std::string English() const;
};

// Puts args into the %1 ... %9 of pattern in one pass: an argument that
// holds "%2" is not read again.
std::string FillArguments(const std::string& pattern, const std::vector<std::string>& args);

}  // namespace wr
