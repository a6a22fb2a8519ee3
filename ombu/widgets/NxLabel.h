// A label: shows one value (plain or multi-line text, rich text, or an image)
// placed inside its drawing area by nine-way alignment. Rich text with hyperlinks
// shows the hand cursor over a link and opens it through the page on release.
//
// Parameters: "label", "alignment" (TOPLEFT ... BOTTOMRIGHT, LEFT, CENTER, RIGHT,
// MIDDLE), "shadowType" (the shadow style names), after the component's own.
#pragma once

#include <string>
#include <vector>

#include "ombu/NxComponent.h"

namespace host {
class URL;
}

namespace norvex::ombu {

class NxLabel : public NxComponent {
    HOST_CREATABLE(NxLabel, "norvex.ombu.NxLabel", NxComponent)
public:
    NxLabel();
    // Without a page and a name the label is named "label" and a running number.
    NxLabel(host::Applet* applet, const std::string& name);

    using NxComponent::getParameters;
    void getParameters() override;

    int getAlignment() const { return alignment; }
    // One of the nine alignments; anything else raises invalid_argument.
    void setAlignment(int a);
    const host::Value& getLabel() const { return label; }
    // Stores the value, measures it, lays out and repaints.
    virtual void setLabel(const host::Value& v);
    // The value's text ("" for images and no value).
    std::string getText() const;
    void setText(const std::string& s) { setLabel(host::Value(s)); }
    // The text split at newlines, each line trimmed.
    std::vector<std::string> getTextList() const;
    // The pieces joined by newlines.
    void setTextList(const std::vector<std::string>& list);
    const std::shared_ptr<host::Image>& getLabelImage() const { return label_image; }
    // Loads the image (through the page when there is one) and shows it.
    void setLabelImage(const host::URL& url);
    int getShadowType() const { return shadow_type; }
    void setShadowType(int t);
    // Measures the value again and asks the parent for a new layout when the font changed.
    void setFont(const host::Font& f) override;
    const host::Rectangle& getLabelBounds() const { return label_rect; }
    // Draws a value at the label's place with its alignment.
    virtual void drawValue(host::Graphics& g, const host::Value& v);

    // Parses a label that waited for the page (see pending_markup).
    void addNotify() override;
    void layout() override;
    void paintComponent(host::Graphics& g) override;
    int preferredWidth() override { return label_width; }
    int preferredHeight() override { return label_height; }

    bool mouseMove(host::Event& e, int x, int y) override;
    bool mouseExit(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;

    // The alignment names a page may use, and their values.
    static const std::vector<std::string>& alignmentNames();
    static const std::vector<int>& alignmentValues();
    // The shadow style names, in the order of their values.
    static const std::vector<std::string>& shadowNames();

protected:
    // "label" followed by a running number.
    static std::string nextName(const char* kind);
    // A "label" style parameter as a value: rich text when it has markup. Markup that
    // needs the page (for its images) before the label is placed in it goes into
    // *pending, and the plain text stands in until addNotify parses it.
    host::Value readLabelParam(const std::string& key, OptString* pending);
    // Parses markup kept by readLabelParam, now that the page is found.
    host::Value parseMarkup(const std::string& text);
    // Measures the value into label_width and label_height.
    virtual void setLabelSize();
    // Places a width x height box in the drawing area by the alignment.
    host::Rectangle placeBox(const host::Rectangle& area, int width, int height) const;

    int alignment = OmbuEnum::MIDDLECENTER;
    host::Value label;
    int label_width = 0, label_height = 0;
    host::Rectangle label_rect;
    OptString label_url;
    std::shared_ptr<host::Image> label_image;
    // Rich text reads its images relative to the page it finds among the component's
    // parents; a label that read its text before it was placed in the page parses it
    // again when it gets its peer.
    OptString pending_markup;
};

using NxLabelPtr = std::shared_ptr<NxLabel>;

}  // namespace norvex::ombu
