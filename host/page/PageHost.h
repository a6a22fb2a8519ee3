// Shows a page: builds the page's Applet (parameters, document base, context),
// creates the component the page names through the class runtime, and puts it
// in a window of the page's size.
#pragma once

#include <memory>
#include <string>

#include "host/page/Applet.h"
#include "host/page/Page.h"
#include "host/ui/Window.h"

namespace host {

class PageHost {
public:
    // Creates the page's component. Throws PageError with a clear message for an
    // unknown or non-component class. While the host lives, URLs are fetched within one
    // FetchSession of the page (a new one unless fetch is given): failures are
    // remembered and fetching has a deadline.
    PageHost(const Page& page, int width = -1, int height = -1, std::shared_ptr<FetchSession> fetch = nullptr);
    ~PageHost();

    // Lays out, shows and paints the window once (headless: into its buffer).
    void show();
    Frame& frame() { return *frame_; }
    Applet& applet() { return *applet_; }
    const std::shared_ptr<Component>& component() const { return component_; }
    const std::shared_ptr<PageContext>& context() const { return context_; }

    const std::shared_ptr<FetchSession>& fetchSession() const { return fetch_; }

private:
    std::shared_ptr<FetchSession> fetch_;
    FetchSession::Scope fetchScope_;
    std::shared_ptr<Frame> frame_;
    std::shared_ptr<Applet> applet_;
    std::shared_ptr<Component> component_;
    std::shared_ptr<PageContext> context_;
};

}  // namespace host
