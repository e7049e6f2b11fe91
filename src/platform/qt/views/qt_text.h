#pragma once

#include <QString>

#include <string>

namespace tagsmit {

// Texts cross into Qt here: UTF-8 in the core. Line breaks are "\n" on both
// sides.
inline QString ToQt(const std::string& text) {
  return QString::fromUtf8(text);
}

inline std::string FromQt(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace tagsmit
