#pragma once
// The one place where code page 932 bytes meet Qt's strings.
#include <QString>
#include <string>
#include <string_view>

QString ToQString(std::string_view cp932);
std::string FromQString(const QString& text);
