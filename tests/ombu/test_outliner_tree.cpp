// Outliner nodes and the tree text: parents by indentation, folder marks, cells and
// escapes, the round trip, deep and wide trees, and the node operations that guard
// the tree's shape.
#include <gtest/gtest.h>

#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/outliner/NxOutlinerNode.h"
#include "ombu/outliner/OutlinerTreeText.h"
#include "util/NxVector.h"

using namespace norvex::ombu;
using host::Value;

namespace {

NxOutlinerFolderNodePtr read(const std::vector<std::string>& lines) { return OutlinerTreeText::read(nullptr, lines); }

const NxOutlinerNode& child(const NxOutlinerNode& n, size_t i) {
    return *static_cast<const NxOutlinerFolderNode&>(n).getChildren().at(i);
}

size_t childCount(const NxOutlinerNode& n) {
    return n.isFolder() ? static_cast<const NxOutlinerFolderNode&>(n).getChildren().size() : 0;
}

}  // namespace

TEST(OutlinerTreeTextTest, FourLinesGiveFoldersItemsAndAnEmptyFolder) {
    auto root = read({"Root", "  A", "    A1", "  B (FOLDER)"});
    ASSERT_TRUE(root);
    EXPECT_EQ(root->getLabelString(), "Root");
    EXPECT_EQ(root->indent, 0);
    ASSERT_EQ(childCount(*root), 2u);
    const auto& a = child(*root, 0);
    EXPECT_TRUE(a.isFolder());
    EXPECT_EQ(a.getLabelString(), "A");
    EXPECT_EQ(child(a, 0).getLabelString(), "A1");
    EXPECT_FALSE(child(a, 0).isFolder());
    const auto& b = child(*root, 1);
    EXPECT_TRUE(b.isFolder());
    EXPECT_EQ(b.getLabelString(), "B");
    EXPECT_EQ(childCount(b), 0u);
}

TEST(OutlinerTreeTextTest, ParentsComeFromIndentationWhateverTheStep) {
    // Two spaces per level, a jump of three levels, a shallower line and a blank line.
    auto root = read({"R", "  a", "        deep", "  b", "", "    b1", " c", "\tt"});
    ASSERT_EQ(childCount(*root), 4u);
    const auto& a = child(*root, 0);
    ASSERT_EQ(childCount(a), 1u);  // three levels deeper is one level down
    EXPECT_EQ(child(a, 0).getLabelString(), "deep");
    EXPECT_EQ(child(a, 0).indent, 2);
    const auto& b = child(*root, 1);
    EXPECT_EQ(child(b, 0).getLabelString(), "b1");
    const auto& c = child(*root, 2);
    EXPECT_EQ(c.getLabelString(), "c");  // a shallower line never reorders the tree
    EXPECT_EQ(childCount(c), 0u);
    EXPECT_EQ(child(*root, 3).getLabelString(), "t");  // a tab is one blank, like " c"
}

TEST(OutlinerTreeTextTest, AllIndentedLinesHangUnderALabelLessRoot) {
    auto root = read({"  x", "    x1", "  y"});
    EXPECT_TRUE(root->getLabel().isNull());
    EXPECT_EQ(root->indent, -1);
    ASSERT_EQ(childCount(*root), 2u);
    EXPECT_EQ(child(*root, 0).indent, 0);
    EXPECT_EQ(child(child(*root, 0), 0).getLabelString(), "x1");
    EXPECT_FALSE(read({}));
    EXPECT_FALSE(read({"", "   "}));
}

TEST(OutlinerTreeTextTest, RootLineIsReadLikeAnyOther) {
    auto root = read({"Name,Size (FOLDER)"});
    auto cells = host::cast<norvex::util::NxVector>(root->getLabel().asObject());
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->size(), 2);
    EXPECT_EQ(cells->elementAt(1).toString(), "Size");
}

TEST(OutlinerTreeTextTest, CellsAndEscapesSurviveTheRoundTrip) {
    auto root = read({"Root", "  one,two,three", "  F (FOLDER)"});
    const auto& row = child(*root, 0);
    auto cells = host::cast<norvex::util::NxVector>(row.getLabel().asObject());
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->size(), 3);
    EXPECT_EQ(OutlinerTreeText::write(root.get()),
              (std::vector<std::string>{"Root", " one,two,three", " F (FOLDER)"}));

    // Cells holding commas, backslashes and line breaks, and an item ending like a folder mark.
    auto tree = host::create<NxOutlinerFolderNode>(Value(std::string("top")));
    auto v = std::make_shared<norvex::util::NxVector>();
    v->add(Value(std::string("a,b")));
    v->add(Value(std::string("c\\d")));
    tree->addNode(Value(v));
    tree->addNode(Value(std::string("two\nlines")));
    tree->addNode(Value(std::string("odd (FOLDER)")));
    auto lines = OutlinerTreeText::write(tree.get());
    auto back = read(lines);
    ASSERT_EQ(childCount(*back), 3u);
    auto cells2 = host::cast<norvex::util::NxVector>(child(*back, 0).getLabel().asObject());
    ASSERT_TRUE(cells2);
    EXPECT_EQ(cells2->elementAt(0).toString(), "a,b");
    EXPECT_EQ(cells2->elementAt(1).toString(), "c\\d");
    EXPECT_EQ(child(*back, 1).getLabelString(), "two\nlines");
    EXPECT_EQ(child(*back, 2).getLabelString(), "odd (FOLDER)");
    EXPECT_FALSE(child(*back, 2).isFolder());
    EXPECT_EQ(OutlinerTreeText::write(back.get()), lines);
}

TEST(OutlinerTreeTextTest, DeepTreesReadWriteCloneAndDieWithoutRecursion) {
    // A chain read from text (the text itself grows with the square of the depth).
    std::vector<std::string> lines{"root"};
    for (int d = 1; d <= 2000; ++d) lines.push_back(std::string(size_t(d), ' ') + "n" + std::to_string(d));
    auto chain = read(lines);
    const NxOutlinerNode* n = chain.get();
    int depth = 0;
    while (childCount(*n) == 1) {
        n = &child(*n, 0);
        ++depth;
    }
    EXPECT_EQ(depth, 2000);
    EXPECT_EQ(OutlinerTreeText::write(chain.get()), lines);

    // 10,000 levels built directly.
    auto root = host::create<NxOutlinerFolderNode>(Value(std::string("root")));
    NxOutlinerFolderNode* f = root.get();
    for (int d = 1; d <= 10000; ++d) f = f->addFolderNode(Value(d)).get();
    EXPECT_EQ(f->getLevel(), 10000);
    EXPECT_EQ(OutlinerTreeText::write(root.get()).size(), 10001u);
    auto copy = std::static_pointer_cast<NxOutlinerFolderNode>(root->clone());
    EXPECT_EQ(OutlinerTreeText::write(copy.get()).back(), std::string(10000, ' ') + "10000 (FOLDER)");
    root.reset();  // destroys 10,000 levels
    copy.reset();
}

TEST(OutlinerNodeTest, FolderCannotJoinItselfOrADescendant) {
    auto a = host::create<NxOutlinerFolderNode>(Value(std::string("a")));
    auto b = a->addFolderNode(Value(std::string("b")));
    auto c = b->addFolderNode(Value(std::string("c")));
    EXPECT_THROW(a->addNode(a), std::invalid_argument);
    EXPECT_THROW(c->addNode(a), std::invalid_argument);
    EXPECT_THROW(c->addNode(b), std::invalid_argument);
    // Moving a node re-parents it; setParent adds the child.
    auto leaf = c->addNode(Value(std::string("leaf")));
    leaf->setParent(a.get());
    EXPECT_EQ(leaf->getParent(), a.get());
    EXPECT_EQ(childCount(*c), 0u);
    EXPECT_EQ(a->getChildren().back(), leaf);
    c->removeChild(nullptr);
    c->removeChild(leaf.get());  // not a child of c: nothing happens
    EXPECT_EQ(leaf->getParent(), a.get());
    a->addNode(leaf, 0);
    EXPECT_EQ(a->getChildren().front(), leaf);
    EXPECT_EQ(a->getChildren().size(), 2u);
}

TEST(OutlinerNodeTest, SetParentPassesTheOwnerDown) {
    auto outliner = host::create<NxOutlinerComponent>(nullptr, "o");
    auto root = host::create<NxOutlinerFolderNode>(Value(std::string("root")));
    outliner->setRootNode(root);
    auto sub = host::create<NxOutlinerFolderNode>(Value(std::string("sub")));
    auto leaf = sub->addNode(Value(std::string("leaf")));
    sub->setParent(root.get());
    EXPECT_EQ(sub->getOutliner(), outliner.get());
    EXPECT_EQ(leaf->getOutliner(), outliner.get());
    root->removeChild(sub.get());
    EXPECT_EQ(leaf->getOutliner(), nullptr);
}
