#include <gtest/gtest.h>

#include "platform/KDMemoryClipboard.h"

TEST(MemoryClipboard, StartsWithoutTextAndKeepsWhatIsSet) {
    KDMemoryClipboard clip;
    EXPECT_FALSE(clip.hasText());
    EXPECT_EQ(clip.text(), "");
    clip.setText("preset: TestGen { 0.5, 440, 1 }");
    EXPECT_TRUE(clip.hasText());
    EXPECT_EQ(clip.text(), "preset: TestGen { 0.5, 440, 1 }");
    EXPECT_EQ(clip.text(7), "preset:");
    EXPECT_EQ(clip.text(1000), "preset: TestGen { 0.5, 440, 1 }");
}

TEST(MemoryClipboard, EmptyTextIsStillTextAndClearRemovesIt) {
    KDMemoryClipboard clip;
    clip.setText("");
    EXPECT_TRUE(clip.hasText());
    clip.clear();
    EXPECT_FALSE(clip.hasText());
}

TEST(MemoryClipboard, TextEndsAtItsFirstNul) {
    KDMemoryClipboard clip;
    clip.setText(std::string_view("abc\0def", 7));
    EXPECT_EQ(clip.text(), "abc");
}

TEST(TextClipboard, CurrentIsTheInstalledOneOrAnInMemoryFallback) {
    KDTextClipboard& fallback = KDTextClipboard::current();
    KDMemoryClipboard mine;
    KDTextClipboard::install(&mine);
    KDTextClipboard::current().setText("x");
    EXPECT_EQ(mine.text(), "x");
    KDTextClipboard::install(nullptr);
    EXPECT_EQ(&KDTextClipboard::current(), &fallback);
}
