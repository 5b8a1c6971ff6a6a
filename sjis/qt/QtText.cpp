#include "sjis/qt/QtText.h"

#include "sjis/Cp932.h"

QString ToQString(std::string_view cp932) {
    const std::u16string wide = sjis::ToUtf16(cp932);
    return QString(reinterpret_cast<const QChar*>(wide.data()), qsizetype(wide.size()));
}

std::string FromQString(const QString& text) {
    return sjis::FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())));
}
