// How much of a long label the tree pane's hover tip shows.
#include <gtest/gtest.h>

#include "tree/TipText.h"

namespace {

TEST(TipText, LabelsOf80CharactersOrMoreAreCutTo79) {
    EXPECT_EQ(treetip::TipText(std::u16string(79, u'a')), std::u16string(79, u'a'));
    EXPECT_EQ(treetip::TipText(std::u16string(80, u'b')), std::u16string(79, u'b'));
    EXPECT_EQ(treetip::TipText(std::u16string(300, u'\u3042')), std::u16string(79, u'\u3042'));
    EXPECT_EQ(treetip::TipText(u""), u"");
}

}  // namespace
