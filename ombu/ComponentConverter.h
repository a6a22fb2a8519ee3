// Reads the page parameters every component and container shares ("background",
// "foreground", "font", "ShadowThickness", "HighlightThickness", "HighlightColor",
// "insets", "preferredWidth", "preferredHeight", "traversable", "doubleBuffer").
// Widget converters call it before reading their own keys. Absent parameters leave
// the current values alone; bad values are reported by the converter.
#pragma once

#include "util/TextUtil.h"

namespace host {
class Applet;
}

namespace norvex::ombu {

class NxComponent;
class NxContainer;

class ComponentConverter {
public:
    ComponentConverter() = delete;
    static void getParameters(NxComponent& c);
    // The keys that apply to a container (no highlight, shadow or traversal).
    static void getParameters(NxContainer& c);

    // How both base classes read their parameters: keep the applet; a parameter file
    // (named by file, else by the "paramFile" parameter) becomes the component's
    // parameter source; without one, parameters are read only inside a page. After
    // reading, a component that already has its peer is shown again.
    template <class Comp>
    static void readParameters(Comp& c, host::Applet* applet, const util::OptString& file);
};

}  // namespace norvex::ombu
