// A list and an outliner in a real window on a private Xvfb server, driven by XTEST
// input: clicks, Shift and Control clicks, arrow keys and type-ahead in the list;
// double clicks, Enter and a drag of a node onto another folder in the outliner.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"
#include "ombu/list/NxListComponent.h"
#include "ombu/outliner/NxOutlinerComponent.h"

// Xlib defines macros such as Bool: after every other header.
#include <X11/keysym.h>

#include "../support/OnDispatch.h"
#include "../support/WindowTest.h"

using namespace norvex::ombu;
using namespace std::chrono_literals;
using testsupport::eventually;
using testsupport::onDispatch;

namespace {

class ListOutlinerWindow : public testsupport::WindowTest<19> {
protected:
    ListOutlinerWindow() { movePause = keyPause = std::chrono::milliseconds(30); }

    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        frame = host::create<host::Frame>();
        frame->setLayout(nullptr);
        frame->reshape(30, 40, 420, 260);
        frame->setBackground(host::Color::lightGray);
        list = host::create<NxListComponent>(nullptr, "list");
        frame->add(list);
        list->reshape(10, 10, 180, 240);
        list->setAllowMultipleSelections(true);
        list->setItems(std::vector<std::string>{"apple", "banana", "cherry", "date", "elder", "fig"});
        outliner = host::create<NxOutlinerComponent>(nullptr, "outliner");
        frame->add(outliner);
        outliner->reshape(200, 10, 210, 240);
        outliner->setTree({"Root", "  A", "    a1", "    a2", "  B", "    b1"});
        outliner->setDragAndDropPolicy(NxOutlinerComponent::DRAGDROP_ALL);
        openWindow(frame);
    }

    void withKey(KeySym modifier, int x, int y) {
        key(modifier, true);
        clickAt(x, y);
        key(modifier, false);
    }
    // The middle of a list row in frame coordinates.
    host::Point listRow(int row) {
        auto r = onDispatch([&] { return list->getBounds(row, true); });
        return {10 + r.x + 4, 10 + r.y + r.height / 2};
    }
    host::Point nodeAt(const std::string& label) {
        auto r = onDispatch([&] {
            for (auto* n : outliner->getRows())
                if (n->getLabelString() == label) return outliner->getBounds(n);
            return host::Rectangle{};
        });
        return {200 + r.x + r.width - 4, 10 + r.y + r.height / 2};
    }
    std::vector<int> selectedRows() {
        return onDispatch([&] { return list->getSelectedIndexes(); });
    }
    NxOutlinerNode* node(const std::string& label) {
        return onDispatch([&]() -> NxOutlinerNode* {
            for (auto* n : outliner->getNodeList())
                if (n->getLabelString() == label) return n;
            return nullptr;
        });
    }

    std::shared_ptr<host::Frame> frame;
    std::shared_ptr<NxListComponent> list;
    std::shared_ptr<NxOutlinerComponent> outliner;
};

}  // namespace

TEST_F(ListOutlinerWindow, ListClicksKeysAndTypeAhead) {
    auto p = listRow(1);
    clickAt(p.x, p.y);
    EXPECT_TRUE(eventually([&] { return selectedRows() == std::vector<int>{1}; }));
    p = listRow(3);
    withKey(XK_Shift_L, p.x, p.y);
    EXPECT_TRUE(eventually([&] { return selectedRows() == std::vector<int>{1, 2, 3}; }));
    p = listRow(5);
    withKey(XK_Control_L, p.x, p.y);
    EXPECT_TRUE(eventually([&] { return selectedRows() == std::vector<int>{1, 2, 3, 5}; }));
    tap(XK_Up);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return list->getFocus(); }) == 4; }));
    tap(XK_c);
    EXPECT_TRUE(eventually([&] { return selectedRows() == std::vector<int>{2}; }));
}

TEST_F(ListOutlinerWindow, OutlinerFoldersToggleAndNodesDragIntoFolders) {
    auto* a = node("A");
    ASSERT_TRUE(a);
    auto p = nodeAt("A");
    clickAt(p.x, p.y);  // selects A
    clickAt(p.x, p.y);  // a second press on the selected node within the double-click time
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return a->getState(); }) == OmbuEnum::FOLDER_CLOSED; }));
    tap(XK_Return);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return a->getState(); }) == OmbuEnum::FOLDER_OPEN_ALL; }));
    // Drag b1 onto A.
    auto from = nodeAt("b1");
    auto to = nodeAt("A");
    moveTo(from.x, from.y);
    button(1, true);
    moveTo((from.x + to.x) / 2, (from.y + to.y) / 2);
    moveTo(to.x, to.y);
    button(1, false);
    auto* b1 = node("b1");
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return b1->getParent(); }) == a; }));
    EXPECT_EQ(onDispatch([&] { return outliner->getTree(); }),
              (std::vector<std::string>{"Root", " A", "  a1", "  a2", "  b1", " B (FOLDER)"}));
}
