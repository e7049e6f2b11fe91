#pragma once

#include <QString>

#include <string>

namespace tagsmit {

// Texts cross into Qt here: UTF-8 in the core, "\r\n" line breaks become "\n".
inline QString ToQt(const std::string& text) {
  return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string FromQt(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace tagsmit
