// A table shown in a frame of its own, drawing into a recording or raster buffer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/graphics/RecordingGraphics.h"
#include "host/ui/Window.h"
#include "table/NxTable.h"
#include "table/view/TableView.h"

namespace tabletest {

struct ShownTable {
    std::shared_ptr<host::Frame> frame = host::create<host::Frame>();
    std::shared_ptr<norvex::table::NxTable> table = host::create<norvex::table::NxTable>(nullptr, "t");
    std::shared_ptr<host::RecordingGraphics::Log> log = std::make_shared<host::RecordingGraphics::Log>();

    ShownTable(int w, int h, bool record = true) {
        frame->setLayout(nullptr);
        frame->reshape(0, 0, w, h);
        if (record) {
            auto l = log;
            frame->setGraphicsFactory(
                [l](host::Component&) -> host::GraphicsPtr { return std::make_unique<host::RecordingGraphics>(l); });
        }
        table->host::Panel::setFont(host::Font("Helvetica", host::Font::PLAIN, 12));
        frame->add(table);
        table->reshape(0, 0, w, h);
    }
    ~ShownTable() { frame->dispose(); }
    void show() {
        frame->setVisible(true);
        frame->validate();
        log->clear();
    }
    norvex::table::TableView& view() const { return *norvex::table::TableView::of(*table); }
    norvex::table::Clip* clip(int type) const { return view().clip(type); }
    int count(const std::string& prefix) const {
        int n = 0;
        for (auto& l : *log)
            if (l.rfind(prefix, 0) == 0) ++n;
        return n;
    }
    bool logged(const std::string& line) const {
        for (auto& l : *log)
            if (l == line) return true;
        return false;
    }
};

}  // namespace tabletest
