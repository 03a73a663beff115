#include <gtest/gtest.h>

#include "document/KDReloadManager.h"
#include "platform/VTMemorySettingsStore.h"

namespace vantrel::test {
namespace {

const std::string kKey = "Closed Files";

std::vector<std::string> paths(int from, int to) {
    std::vector<std::string> result;
    for (int i = from; i <= to; ++i) result.push_back("/p/" + std::to_string(i) + ".vtx");
    return result;
}

TEST(ReloadManager, NewestFirstNoDuplicatesAtMostTen) {
    VTMemorySettingsStore store;
    KDReloadManager list(store);
    list.Add("");
    EXPECT_TRUE(list.Entries().empty());
    for (const std::string& p : paths(1, 3)) list.Add(p);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/p/3.vtx", "/p/2.vtx", "/p/1.vtx"}));

    // Already at the top, or further down: moved to the top, never twice.
    list.Add("/p/3.vtx");
    list.Add("/p/1.vtx");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/p/1.vtx", "/p/3.vtx", "/p/2.vtx"}));
    // Compared exactly.
    list.Add("/P/1.vtx");
    EXPECT_EQ(list.Entries().size(), 4u);

    KDReloadManager ten(store, "Other");
    for (const std::string& p : paths(1, 10)) ten.Add(p);
    ASSERT_EQ(ten.Entries().size(), 10u);
    ten.Add("/p/11.vtx");  // the eleventh drops the oldest
    ASSERT_EQ(ten.Entries().size(), 10u);
    EXPECT_EQ(ten.Entries().front(), "/p/11.vtx");
    EXPECT_EQ(ten.Entries().back(), "/p/2.vtx");
    ten.Add("/p/5.vtx");  // a path in the full list moves without dropping anything
    EXPECT_EQ(ten.Entries().size(), 10u);
    EXPECT_EQ(ten.Entries().back(), "/p/2.vtx");
}

TEST(ReloadManager, StoredAsFileValuesAndLoadedBack) {
    VTMemorySettingsStore store;
    {
        KDReloadManager list(store);
        for (const std::string& p : paths(1, 12)) list.Add(p);
    }
    ASSERT_TRUE(store.keyExists(kKey));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(store.readString(kKey, "File_" + std::to_string(i)),
                  "/p/" + std::to_string(12 - i) + ".vtx");
    EXPECT_FALSE(store.valueExists(kKey, "File_10"));

    KDReloadManager again(store);
    EXPECT_EQ(again.Entries().front(), "/p/12.vtx");
    EXPECT_EQ(again.Entries().size(), 10u);
}

TEST(ReloadManager, ShorterListDeletesTheValuesItNoLongerHas) {
    // A hand-edited group with one path many times loads it once.
    VTMemorySettingsStore small;
    small.writeString(kKey, "File_0", "/a");
    small.writeString(kKey, "File_1", "/b");
    for (int i = 2; i < 10; ++i) small.writeString(kKey, "File_" + std::to_string(i), "/stale");
    {
        KDReloadManager list(small);
        ASSERT_EQ(list.Entries().size(), 3u);  // "/stale" only once
    }
    VTMemorySettingsStore two;
    {
        KDReloadManager list(two);
        list.Add("/x");
        list.Add("/y");
    }
    two.writeString(kKey, "File_5", "/leftover");
    {
        KDReloadManager list(two);
        EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/y", "/x", "/leftover"}));
        list.Store();
    }
    EXPECT_EQ(two.readString(kKey, "File_2"), "/leftover");
    EXPECT_FALSE(two.valueExists(kKey, "File_5"));
}

TEST(ReloadManager, MissingIndicesAndOtherValuesAreSkipped) {
    VTMemorySettingsStore store;
    store.writeString(kKey, "File_0", "/zero");
    store.writeString(kKey, "File_3", "/three");
    store.writeInteger(kKey, "File_4", 7);  // not a string
    store.writeString(kKey, "File_5", "");  // nothing to reopen
    store.writeString(kKey, "File_9", "/nine");
    store.writeString(kKey, "File_10", "/ten");  // beyond the list
    KDReloadManager list(store);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/zero", "/three", "/nine"}));
}

TEST(ReloadManager, NoGroupGivesAnEmptyListAndCreatesNothingUntilStored) {
    VTMemorySettingsStore store;
    {
        KDReloadManager list(store);
        EXPECT_TRUE(list.Entries().empty());
        EXPECT_FALSE(store.keyExists(kKey));
    }
    EXPECT_TRUE(store.keyExists(kKey));
    EXPECT_TRUE(store.valueNames(kKey).empty());
}

TEST(ReloadManager, MenuItems) {
    VTMemorySettingsStore store;
    KDReloadManager list(store);
    EXPECT_TRUE(list.BuildMenuItems().empty());
    list.Add("/p/rock & roll.vtx");
    list.Add("/p/drone.vtx");
    const auto items = list.BuildMenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "&0 /p/drone.vtx");
    EXPECT_EQ(items[0].path, "/p/drone.vtx");
    EXPECT_EQ(items[1].caption, "&1 /p/rock && roll.vtx");
    EXPECT_EQ(items[1].path, "/p/rock & roll.vtx");
}

}  // namespace
}  // namespace vantrel::test
