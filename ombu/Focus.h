// Moves the keyboard focus between components without the host's traversal:
// among the siblings of one container, and across a window from one container
// to the next.
#pragma once

#include <vector>

namespace host {
class Component;
class Container;
}  // namespace host

namespace norvex::ombu {

class Focus {
public:
    Focus() = delete;

    // Widgets answer their traversable property; other containers are traversable when
    // one of their children is; other components when showing and enabled.
    static bool isTraversable(host::Component* c);
    // Appends the traversable leaves under c to out (when given), depth first; the
    // count is a capacity hint.
    static int countChildren(host::Component* c, std::vector<host::Component*>* out);
    // The first (last) traversable leaf of a showing container, depth first.
    static host::Component* getFirstChild(host::Container* c);
    static host::Component* getLastChild(host::Container* c);
    // The nearest traversable leaf after (before) c whose parent is not c's parent.
    static host::Component* getNextChild(host::Container* top, host::Component* c);
    static host::Component* getPreviousChild(host::Container* top, host::Component* c);
    // Among c's siblings, wrapping around.
    static void nextFocus(host::Component* c);
    static void previousFocus(host::Component* c);
    // Across the frame that holds c (top when c is in no frame), wrapping around.
    static void nextFocus(host::Container* top, host::Component* c);
    static void previousFocus(host::Container* top, host::Component* c);
    // The widget under c whose focus flag is set, depth first; null when none.
    static host::Component* findFocus(host::Container* c);

private:
    static std::vector<host::Component*> leaves(host::Container* top);
    static host::Container* searchRoot(host::Container* top, host::Component* c);
};

}  // namespace norvex::ombu
