#include "ombu/ComponentConverter.h"

#include "ombu/NxComponent.h"
#include "ombu/NxContainer.h"
#include "util/NxFile.h"
#include "util/NxUtilConverter.h"

namespace norvex::ombu {

namespace {

// The keys both base classes read; Comp is NxComponent or NxContainer.
template <class Comp>
void commonKeys(Comp& c, util::NxConverter& conv) {
    if (auto bg = conv.toColor(c.getParam("background"))) c.setBackground(*bg);
    if (auto fg = conv.toColor(c.getParam("foreground"))) c.setForeground(*fg);
    if (auto font = conv.toFont(c.getParam("font"))) c.setFont(*font);
}

}  // namespace

template <class Comp>
void ComponentConverter::readParameters(Comp& c, host::Applet* applet, const util::OptString& file) {
    c.applet = applet;
    util::OptString name = file ? file : c.getParam("paramFile");
    if (name) {
        if (auto text = util::NxFile::read(applet, *name)) util::NxUtilConverter::setParamSource(&c, text);
    } else if (!c.getAppletContext()) {
        return;
    }
    c.getParameters();
    if (c.hasPeer()) {
        c.addNotify();
        c.repaint();
    }
}

template void ComponentConverter::readParameters(NxComponent&, host::Applet*, const util::OptString&);
template void ComponentConverter::readParameters(NxContainer&, host::Applet*, const util::OptString&);

void ComponentConverter::getParameters(NxComponent& c) {
    auto conv = NxComponent::getConverter();
    commonKeys(c, *conv);
    if (auto s = c.getParam("ShadowThickness")) c.setShadowThickness(conv->toInt(s, c.shadow));
    if (auto s = c.getParam("HighlightThickness")) c.setHighlightThickness(conv->toInt(s, c.highlight));
    if (auto color = conv->toColor(c.getParam("HighlightColor"))) c.setHighlightColor(color);
    if (auto s = c.getParam("insets")) c.setInsets(conv->toInsets(s, c.insets_));
    int w = conv->toInt(c.getParam("preferredWidth"), c.pref_width);
    int h = conv->toInt(c.getParam("preferredHeight"), c.pref_height);
    c.setPreferredSize(w, h);
    c.setTraversable(conv->toBoolean(c.getParam("traversable"), c.traversable));
    c.setDoubleBuffer(conv->toBoolean(c.getParam("doubleBuffer"), c.double_buffer));
}

void ComponentConverter::getParameters(NxContainer& c) {
    auto conv = NxContainer::getConverter();
    commonKeys(c, *conv);
    if (auto s = c.getParam("insets")) c.setInsets(conv->toInsets(s, c.insets()));
    int w = conv->toInt(c.getParam("preferredWidth"), c.pref_width);
    int h = conv->toInt(c.getParam("preferredHeight"), c.pref_height);
    c.setPreferredSize(w, h);
    c.setDoubleBuffer(conv->toBoolean(c.getParam("doubleBuffer"), c.double_buffer));
}

}  // namespace norvex::ombu
