// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/unit_text.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace wr {

QString Translated(const Message& message) {
  if (!message.source) {
    QString out = FromBytes(message.text);
    for (const Message& part : message.args) out += Translated(part);
    return out;
  }
  const QString pattern = QCoreApplication::translate(kMessageContext, message.source);
  // One pass, so that an argument holding "%2" is not read again.
  QString out;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= QLatin1Char('1') &&
        pattern[i + 1] <= QLatin1Char('9')) {
      const auto n = static_cast<size_t>(pattern[i + 1].unicode() - '1');
      if (n < message.args.size()) {
        out += Translated(message.args[n]);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

QString FromBytes(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) { return text.toUtf8().toStdString(); }

QString FromRawBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString FromLocalBytes(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToLocalBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

bool FitsLocalCodePage(const QString& text) { return FromLocalBytes(ToLocalBytes(text)) == text; }

bool IsValidUtf8(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  // decode() is lazy: the text must be made for the decoder to look at it.
  const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !utf8.hasError();
}

QString DecodeFileText(std::string_view piece, bool fileIsUtf8) {
  if (fileIsUtf8) return FromBytes(piece);
#ifdef _WIN32
  return QString::fromLocal8Bit(piece.data(), static_cast<qsizetype>(piece.size()));
#else
  // Other systems' 8-bit default for such files.
  return QString::fromLatin1(piece.data(), static_cast<qsizetype>(piece.size()));
#endif
}

}  // namespace wr
