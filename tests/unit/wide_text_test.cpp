// Native names between UTF-8 and the UTF-16 of the Windows calls.
#include <gtest/gtest.h>

#include <string>

#include "platform/WideText.h"

namespace {

using platform::NativeFromUtf16;
using platform::Utf16FromNative;

TEST(WideTextTest, EveryNameComesBackAsItWas) {
    for (const std::u16string name :
         {u"", u"plain", u"表示", u"한글", u"😀", u"Ünïcödé", u"Ελλάδα", u"אבג", u"ｶﾀｶﾅ", u"mixed表한"}) {
        const std::string native = NativeFromUtf16(name);
        EXPECT_EQ(Utf16FromNative(native), name);
    }
    EXPECT_EQ(NativeFromUtf16(u"表😀"), "表😀");
    // A lone surrogate, which a Windows name may hold, survives the trip as its own three bytes.
    const std::u16string lone = {u'a', char16_t(0xD83D), u'b', char16_t(0xDC00)};
    EXPECT_EQ(NativeFromUtf16(lone),
              "a\xED\xA0\xBD"
              "b\xED\xB0\x80");
    EXPECT_EQ(Utf16FromNative(NativeFromUtf16(lone)), lone);
}

TEST(WideTextTest, IllFormedBytesBecomeOneReplacementEachSubpart) {
    EXPECT_EQ(Utf16FromNative("a\x80"
                              "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf16FromNative("\xE3\x81"), u"\uFFFD");        // cut short: one subpart
    EXPECT_EQ(Utf16FromNative("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong: two
    EXPECT_EQ(Utf16FromNative("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

}  // namespace
