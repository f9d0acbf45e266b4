#include "session/unit_text.h"

#include <QStringDecoder>

namespace wr {

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

QString DecodeTextFile(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
#ifdef _WIN32
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
  // Other systems' 8-bit default for such files.
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
#endif
}

}  // namespace wr
