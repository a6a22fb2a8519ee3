// A panel of host-layer canvases (shapes, text, arcs, images) that pages can
// name as "tools.HostDemo"; it shows what the raster graphics draws.
#pragma once

#include "host/ui/Container.h"

namespace tools {

class HostDemo : public host::Panel {
    HOST_CREATABLE(HostDemo, "tools.HostDemo", host::Panel)
public:
    HostDemo(host::Applet* applet, const std::string& name);
    void initialize() override;

private:
    host::Applet* applet_;
};

}  // namespace tools
