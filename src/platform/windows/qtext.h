// Texts crossing to Qt: Windows-1250 inside, UTF-16 in the widgets.
#pragma once
#include <QString>
#include <string>

#include "platform/cp1250.h"

namespace drum {

inline QString qtext(const std::string& cp1250) {
  const std::u16string text = cp1250ToUtf16(cp1250);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string cptext(const QString& text) {
  return utf16ToCp1250(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())));
}

// A caption as a screen reader should name it: without its accelerator mark.
inline QString accessibleCaption(const QString& caption) {
  QString name;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) name += caption[++i];
      continue;
    }
    name += caption[i];
  }
  return name;
}

}  // namespace drum
