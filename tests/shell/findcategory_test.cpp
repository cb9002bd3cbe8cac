#include "FindCategory.h"
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace ewidor;

TEST(FindCategory, AnUnknownCategoryIsReportedAndTheFirstStandsIn) {
    TDaneGrupy categories;
    categories.add({4, "Ruch ciągły"});
    categories.add({7, "Jedno stanowisko"});
    ScriptedPrompter prompter;
    EXPECT_EQ(FindCategory(categories, 7, prompter), 1u);
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(FindCategory(categories, 9, prompter), 0u);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Nie znaleziono grupy !");
}
