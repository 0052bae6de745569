// SPDX-License-Identifier: GPL-3.0-or-later
// Names between UTF-8 and the 24 GBK bytes of a record.

#include "store/gbk_name.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

std::string padded(std::string bytes) {
    bytes.resize(kNameBytes, ' ');
    return bytes;
}

TEST(EncodeNameTest, StoresGbkPaddedWithSpacesAndCutAtTwentyFourBytes) {
    EXPECT_EQ(encodeName("CA6140").bytes, padded("CA6140"));
    EXPECT_EQ(encodeName("滚齿机床组").bytes, padded("\xB9\xF6\xB3\xDD\xBB\xFA\xB4\xB2\xD7\xE9"));
    EXPECT_EQ(encodeName("€").bytes, padded("\x80"));
    // Twelve double-byte characters fill the field; the thirteenth is dropped.
    EXPECT_EQ(encodeName("机床机床机床机床机床机床床").bytes,
              "\xBB\xFA\xB4\xB2\xBB\xFA\xB4\xB2\xBB\xFA\xB4\xB2\xBB\xFA\xB4\xB2\xBB\xFA\xB4\xB2"
              "\xBB\xFA\xB4\xB2");
    EXPECT_EQ(encodeName(std::string(30, 'x')).bytes, std::string(24, 'x'));
    // Only what is stored has to be encodable.
    EXPECT_TRUE(encodeName(std::string(24, 'x') + "😀").encoded());
}

TEST(EncodeNameTest, RefusesWhatCannotBeStored) {
    ASSERT_TRUE(encodeName("Smile 😀").problem);
    EXPECT_EQ(encodeName("Smile 😀").problem->kind, NameProblem::Kind::NotInGbk);
    EXPECT_EQ(encodeName("Smile 😀").problem->character, "😀");
    EXPECT_EQ(encodeName("tab\there").problem->kind, NameProblem::Kind::ControlCharacter);
    EXPECT_EQ(encodeName("bad \xC3 byte").problem->kind, NameProblem::Kind::NotUtf8);
    EXPECT_FALSE(encodeName("tab\there").encoded());
    EXPECT_FALSE(encodeName("bad \xC3 byte").encoded());
    EXPECT_FALSE(encodeName("overlong \xC0\xAF").encoded());
    EXPECT_FALSE(encodeName("surrogate \xED\xA0\x80").encoded());
}

TEST(DecodeNameTest, TrimsSpacesAndShowsInvalidBytesAsReplacementCharacters) {
    EXPECT_EQ(decodeName(padded("  Y38 \xB9\xF6\xB3\xDD\xBB\xFA")), "Y38 滚齿机");
    EXPECT_EQ(decodeName(std::string(24, ' ')), "");
    const std::string r = "\xEF\xBF\xBD";
    // A lead byte before a byte that cannot follow it stands alone; that byte survives.
    EXPECT_EQ(decodeName("\x81"
                         "1"),
              r + "1");
    // With an ASCII trail byte of the double-byte range it is one character.
    EXPECT_EQ(decodeName("\x81"
                         "A"),
              "丄");
    // A lead byte cut off by the end of the field.
    EXPECT_EQ(decodeName("AB\x81"), "AB" + r);
    // Control characters and a byte that is never valid.
    EXPECT_EQ(decodeName(std::string("A\0B\xFF", 4)), "A" + r + "B" + r);
    // A pair in the double-byte range that GBK leaves unassigned.
    EXPECT_EQ(decodeName("\xA2\xA0"
                         "C"),
              r + "C");
}

} // namespace
} // namespace gearsel
