#include <gtest/gtest.h>

#include <string>

#include "host/page/PageHost.h"
#include "tools/pageview/TreeDemo.h"

using host::Page;
using host::PageHost;
using host::URL;
using tools::ComponentTree;

namespace {

void registerTreeClasses() {
    host::ClassRegistry::instance().add(ComponentTree::staticClass());
    host::ClassRegistry::instance().add(tools::FramedBox::staticClass());
}

Page treePage(const std::string& params) {
    registerTreeClasses();
    return Page::parse("<applet code=\"tools.ComponentTree\" width=200 height=120>" + params + "</applet>",
                       URL("file:/pages/tree.html"));
}

std::string param(const std::string& name, const std::string& value) {
    return "<param name=\"" + name + "\" value=\"" + value + "\">";
}

std::shared_ptr<ComponentTree> treeAt(const std::shared_ptr<host::Component>& c) {
    return host::cast<ComponentTree>(c);
}

}  // namespace

TEST(ComponentTree, NestedTreeDoesNotReadTheOuterTreesPlainKeys) {
    // child1 names a tree: the plain child1/child2 belong to the outer tree only.
    PageHost view(treePage(param("child1", "tools.ComponentTree") + param("child2", "tools.FramedBox") +
                           param("columns", "2")));
    view.show();
    auto outer = treeAt(view.component());
    ASSERT_TRUE(outer);
    ASSERT_EQ(outer->getComponentCount(), 2);
    auto inner = treeAt(outer->getComponent(0));
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->getComponentCount(), 0);
    EXPECT_EQ(outer->getComponent(1)->getName(), "child2");
}

TEST(ComponentTree, NestedTreeReadsItsKeysUnderItsName) {
    PageHost view(treePage(param("child1", "tools.FramedBox") + param("child2", "tools.ComponentTree") +
                           param("child2.child1", "tools.FramedBox") + param("child2.child2", "tools.FramedBox") +
                           param("child2.columns", "1") + param("child2.child1.label", "inner")));
    view.show();
    auto outer = treeAt(view.component());
    ASSERT_EQ(outer->getComponentCount(), 2);
    auto inner = treeAt(outer->getComponent(1));
    ASSERT_TRUE(inner);
    ASSERT_EQ(inner->getComponentCount(), 2);
    EXPECT_EQ(inner->getComponent(0)->getName(), "child2.child1");
    EXPECT_EQ(inner->getComponent(1)->getName(), "child2.child2");
    // One column: the two boxes are stacked.
    EXPECT_EQ(inner->getComponent(0)->getX(), inner->getComponent(1)->getX());
    EXPECT_LT(inner->getComponent(0)->getY(), inner->getComponent(1)->getY());
}

TEST(ComponentTree, NestingStopsAtTheDepthLimitWithOneMessage) {
    // Each tree names a tree under its own name, 40 levels deep.
    std::string params, key = "child1";
    for (int i = 0; i < 40; ++i) {
        params += param(key, "tools.ComponentTree");
        key += ".child1";
    }
    testing::internal::CaptureStderr();
    PageHost view(treePage(params));
    view.show();
    std::string err = testing::internal::GetCapturedStderr();
    int depth = 0;
    for (auto t = treeAt(view.component()); t && t->getComponentCount() > 0; t = treeAt(t->getComponent(0))) ++depth;
    EXPECT_EQ(depth, ComponentTree::kMaxDepth);
    EXPECT_NE(err.find("nests trees more than 16 deep"), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
}
