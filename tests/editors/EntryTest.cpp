// The editor's part of a contraption entry: whether the window is open, and where it is, read
// back into a new contraption.
#include <sstream>

#include "EditorFixture.h"

namespace vantrel::test {
namespace {

class EditorEntry : public EditorTest {
protected:
    // The entry as the document writes it, and a contraption read from it.
    std::string entryOf(VTContraption& c) {
        std::ostringstream out;
        c.writeEntry(out);
        return out.str();
    }
    std::unique_ptr<VTContraption> readBack(const std::string& entry) {
        std::istringstream in(entry);
        std::string maker, name;
        in >> maker >> name;
        auto c = VTContraptionFactory::instance().createContraption(maker, "");
        if (c) c->readEntry(in);
        EXPECT_FALSE(in.fail());
        return c;
    }
    static std::string formBlock(const std::string& entry) {
        const auto at = entry.rfind("{ ");
        return at == std::string::npos ? std::string() : entry.substr(at);
    }
};

TEST_F(EditorEntry, AnOpenWindowIsWrittenWithItsPlaceAndReopensThere) {
    VTContraption* c = preview->addEditor("TestGen", 10, 10);
    viewSize(200, 150);
    TContraptionForm& form = formOf(*c);
    form.setContentBounds(QRect(120, 230, form.width(), form.height()));
    pane().setScrollOffset({40, 90});
    ASSERT_EQ(pane().scrollOffset(), QPoint(40, 90));
    c->setNodePosition(40, 60);
    const std::string entry = entryOf(*c);
    EXPECT_EQ(formBlock(entry), "{ 40 60 T Z Z 230 120 Z Z Z Z  }\t");

    pane().setScrollOffset({0, 0});
    auto copy = readBack(entry);
    ASSERT_TRUE(copy);
    ASSERT_TRUE(copy->formState().hasEditorWindow());
    EXPECT_EQ(formOf(*copy).contentLeft(), 120);
    EXPECT_EQ(formOf(*copy).contentTop(), 230);
    EXPECT_EQ(copy->nodePosition(), std::make_pair(40, 60));
    EXPECT_EQ(formBlock(entryOf(*copy)), "{ 40 60 T Z Z 230 120 Z Z Z Z  }\t");
}

TEST_F(EditorEntry, AClosedWindowIsWrittenWithItsLastPlaceAndStaysClosed) {
    VTContraption* c = preview->addEditor("TestGen", 70, 50);
    c->formState().closeEditor();
    const std::string entry = entryOf(*c);
    EXPECT_EQ(formBlock(entry), "{ 0 0 F Z Z 50 70 Z Z Z Z  }\t");

    auto copy = readBack(entry);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->formState().hasEditorWindow());
    EXPECT_EQ(copy->formState().editorLeft(), 70);
    EXPECT_EQ(copy->formState().editorTop(), 50);
    copy->showEditor();
    ASSERT_TRUE(copy->formState().hasEditorWindow());
    EXPECT_EQ(formOf(*copy).contentLeft(), 70);
    EXPECT_EQ(formOf(*copy).contentTop(), 50);
}

}  // namespace
}  // namespace vantrel::test
