// The look of outliner nodes: colours and font (unset: the component's own), whether
// folders draw a plus/minus shortcut box, the six icons (item, closed folder, open
// folder, each plain and selected; null for none) and the gap between icon and label.
#pragma once

#include <memory>
#include <optional>

#include "host/base/Color.h"
#include "host/base/Font.h"
#include "host/graphics/Image.h"
#include "host/runtime/Object.h"

namespace norvex::ombu {

class NxOutlinerNodeStyle : public host::Object {
    HOST_OBJECT(NxOutlinerNodeStyle, "norvex.ombu.NxOutlinerNodeStyle", host::Object)
public:
    using ImagePtr = std::shared_ptr<host::Image>;
    NxOutlinerNodeStyle() = default;
    // Copies every field.
    NxOutlinerNodeStyle(const NxOutlinerNodeStyle& o)
        : host::Object(),
          background_selected(o.background_selected),
          font(o.font),
          foreground(o.foreground),
          foreground_selected(o.foreground_selected),
          line_color(o.line_color),
          shortcut(o.shortcut),
          item(o.item),
          item_selected(o.item_selected),
          folder_closed(o.folder_closed),
          folder_closed_selected(o.folder_closed_selected),
          folder_open(o.folder_open),
          folder_open_selected(o.folder_open_selected),
          icon_spacing(o.icon_spacing) {}

    const host::OptColor& getBackgroundSelected() const { return background_selected; }
    void setBackgroundSelected(const host::OptColor& c) { background_selected = c; }
    const std::optional<host::Font>& getFont() const { return font; }
    void setFont(const std::optional<host::Font>& f) { font = f; }
    const host::OptColor& getForeground() const { return foreground; }
    void setForeground(const host::OptColor& c) { foreground = c; }
    const host::OptColor& getForegroundSelected() const { return foreground_selected; }
    void setForegroundSelected(const host::OptColor& c) { foreground_selected = c; }
    const host::OptColor& getLineColor() const { return line_color; }
    void setLineColor(const host::OptColor& c) { line_color = c; }
    bool getShortcut() const { return shortcut; }
    void setShortcut(bool b) { shortcut = b; }
    const ImagePtr& getItemIcon() const { return item; }
    void setItemIcon(const ImagePtr& i) { item = i; }
    const ImagePtr& getItemSelectedIcon() const { return item_selected; }
    void setItemSelectedIcon(const ImagePtr& i) { item_selected = i; }
    const ImagePtr& getFolderClosedIcon() const { return folder_closed; }
    void setFolderClosedIcon(const ImagePtr& i) { folder_closed = i; }
    const ImagePtr& getFolderClosedSelectedIcon() const { return folder_closed_selected; }
    void setFolderClosedSelectedIcon(const ImagePtr& i) { folder_closed_selected = i; }
    const ImagePtr& getFolderOpenIcon() const { return folder_open; }
    void setFolderOpenIcon(const ImagePtr& i) { folder_open = i; }
    const ImagePtr& getFolderOpenSelectedIcon() const { return folder_open_selected; }
    void setFolderOpenSelectedIcon(const ImagePtr& i) { folder_open_selected = i; }
    int getIconSpacing() const { return icon_spacing; }
    void setIconSpacing(int s) { icon_spacing = s; }

private:
    host::OptColor background_selected;
    std::optional<host::Font> font;
    host::OptColor foreground, foreground_selected, line_color;
    bool shortcut = false;
    ImagePtr item, item_selected, folder_closed, folder_closed_selected, folder_open, folder_open_selected;
    int icon_spacing = 5;
};

using NxOutlinerNodeStylePtr = std::shared_ptr<NxOutlinerNodeStyle>;

}  // namespace norvex::ombu
