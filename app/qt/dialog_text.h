// The French or the English text of a pair, for a window's labels; the names of its controls.
#pragma once

#include <QString>
#include <string_view>

#include "platform/language.h"

inline QString DialogText(quorbel::Language language, std::string_view french, std::string_view english) {
  const std::string_view text = quorbel::IsEnglish(language) ? english : french;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control's object name from its identifier, as tests find it ("control1427").
inline QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }
