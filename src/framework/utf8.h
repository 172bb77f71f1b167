#pragma once
// The program's texts are UTF-8 in std::string; Qt's are QString. The one
// pair of conversions between them.

#include <QString>
#include <string>

namespace fw {

inline QString toQString(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string toUtf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace fw
