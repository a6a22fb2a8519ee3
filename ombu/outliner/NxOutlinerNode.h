// Nodes of an outliner tree: items (NxOutlinerNode) and folders
// (NxOutlinerFolderNode, with a display state and children). A label is a string, a
// rich string, an image or an NxVector of such values, one per column.
//
// Trees may be very deep: every walk here (ancestry checks, handing the owner down,
// cloning, destruction) is a loop, never a recursion over depth.
//
// Ownership: a folder owns its children; a child's parent and the owning outliner
// are plain back links.
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "host/runtime/Object.h"
#include "host/runtime/Value.h"
#include "ombu/OmbuEnum.h"

namespace norvex::ombu {

class NxOutlinerFolderNode;
class NxOutlinerNodeStyle;
class NxOutlinerComponent;
class OutlinerTreeText;
class NxOutlinerNode;
void setOutlinerOfSubtree(NxOutlinerNode& node, NxOutlinerComponent* owner);

class NxOutlinerNode : public host::Object {
    HOST_OBJECT(NxOutlinerNode, "norvex.ombu.NxOutlinerNode", host::Object)
public:
    static constexpr int NO_STATE = -999;

    explicit NxOutlinerNode(host::Value label = {});
    ~NxOutlinerNode() override;

    const host::Value& getLabel() const { return label; }
    void setLabel(const host::Value& v);
    // A string label unchanged; a vector's first cell; else the label's string form.
    std::string getLabelString() const;
    NxOutlinerFolderNode* getParent() const { return parent; }
    // Moves the node to the end of folder's children (null: detaches it).
    void setParent(NxOutlinerFolderNode* folder);
    const std::shared_ptr<NxOutlinerNodeStyle>& getStyle() const { return style; }
    void setStyle(const std::shared_ptr<NxOutlinerNodeStyle>& s);
    const host::Value& getUserData() const { return userData; }
    void setUserData(const host::Value& v) { userData = v; }
    virtual bool isFolder() const { return false; }
    virtual int getState() const { return NO_STATE; }
    NxOutlinerComponent* getOutliner() const { return outliner; }
    // Number of ancestors.
    int getLevel() const;
    // Whether this node is node or one of its ancestors.
    bool isAncestorOf(const NxOutlinerNode* node) const;
    // Redraws the node when its outliner shows it.
    void draw();
    virtual std::shared_ptr<NxOutlinerNode> clone() const;
    std::string toString() const override { return getLabelString(); }

    // Bookkeeping of the owning outliner (row and depth as of the last layout).
    int row = -1;
    int indent = 0;
    int sequence = -1;
    bool selected = false;

protected:
    friend class NxOutlinerFolderNode;
    friend class NxOutlinerComponent;
    friend class OutlinerTreeText;
    friend void setOutlinerOfSubtree(NxOutlinerNode& node, NxOutlinerComponent* owner);
    host::Value label;
    host::Value userData;
    NxOutlinerFolderNode* parent = nullptr;
    std::shared_ptr<NxOutlinerNodeStyle> style;
    NxOutlinerComponent* outliner = nullptr;
};

using NxOutlinerNodePtr = std::shared_ptr<NxOutlinerNode>;

class NxOutlinerFolderNode : public NxOutlinerNode {
    HOST_OBJECT(NxOutlinerFolderNode, "norvex.ombu.NxOutlinerFolderNode", NxOutlinerNode)
public:
    explicit NxOutlinerFolderNode(host::Value label = {}, int state = OmbuEnum::FOLDER_OPEN_ALL);
    // Destroys deep subtrees without recursion.
    ~NxOutlinerFolderNode() override;

    bool isFolder() const override { return true; }
    int getState() const override { return state; }
    // The field alone; the outliner's setNodeState is the notifying form.
    void setState(int s) { state = s; }
    const std::vector<NxOutlinerNodePtr>& getChildren() const { return children; }
    void setChildren(const std::vector<NxOutlinerNodePtr>& list);
    void removeChildren();
    // Ignores null and nodes that are not children.
    void removeChild(const NxOutlinerNode* node);
    // Appends (index past the end) or inserts; the node leaves its previous parent and
    // takes this folder's owner. Adding this folder or one of its ancestors raises
    // invalid_argument (the tree would become a cycle).
    void addNode(const NxOutlinerNodePtr& node, int index = 2147483647);
    // Any node type (a shared pointer would otherwise also convert to a label value).
    template <class T, std::enable_if_t<std::is_base_of_v<NxOutlinerNode, T>, int> = 0>
    void addNode(const std::shared_ptr<T>& node, int index = 2147483647) {
        addNode(NxOutlinerNodePtr(node), index);
    }
    NxOutlinerNodePtr addNode(const host::Value& label);
    std::shared_ptr<NxOutlinerFolderNode> addFolderNode(const host::Value& label);
    std::shared_ptr<NxOutlinerNode> clone() const override;

    // Centre of the shortcut box at the last paint; x is -999 when none was drawn.
    int shortcut_x = -999, shortcut_y = 0;

private:
    friend class OutlinerTreeText;
    friend class NxOutlinerComponent;
    int state;
    std::vector<NxOutlinerNodePtr> children;
};

using NxOutlinerFolderNodePtr = std::shared_ptr<NxOutlinerFolderNode>;

// Hands owner down to node and its whole subtree (a loop, not a recursion).
void setOutlinerOfSubtree(NxOutlinerNode& node, NxOutlinerComponent* owner);

}  // namespace norvex::ombu
