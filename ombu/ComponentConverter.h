// Reads the page parameters every component and container shares ("background",
// "foreground", "font", "ShadowThickness", "HighlightThickness", "HighlightColor",
// "insets", "preferredWidth", "preferredHeight", "traversable", "doubleBuffer").
// Widget converters call it before reading their own keys. Absent parameters leave
// the current values alone; bad values are reported by the converter.
#pragma once

namespace norvex::ombu {

class NxComponent;
class NxContainer;

class ComponentConverter {
public:
    ComponentConverter() = delete;
    static void getParameters(NxComponent& c);
    // The keys that apply to a container (no highlight, shadow or traversal).
    static void getParameters(NxContainer& c);
};

}  // namespace norvex::ombu
