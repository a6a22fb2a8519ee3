#include "host/page/PageHost.h"

#include "host/ui/Toolkit.h"

namespace host {

PageHost::PageHost(const Page& page, int width, int height, std::shared_ptr<FetchSession> fetch)
    : fetch_(fetch ? std::move(fetch) : std::make_shared<FetchSession>()), fetchScope_(fetch_) {
    const PageApplet& pa = page.applet;
    int w = width > 0 ? width : pa.width;
    int h = height > 0 ? height : pa.height;
    if (w <= 0 || h <= 0) throw PageError("the page gives no usable size for the applet");

    context_ = std::make_shared<PageContext>();
    const ClassInfo* info = ClassRegistry::instance().find(pa.code);
    if (!info) throw PageError("unknown class '" + pa.code + "' named by the page's applet code");
    if (!info->factory) throw PageError("class '" + pa.code + "' cannot be created from a page");
    if (!info->isA(Component::staticClass())) throw PageError("class '" + pa.code + "' is not a component");

    // The page's applet: the created component itself when it is an applet, else a
    // plain applet that holds it.
    applet_ = create<Applet>();
    applet_->setName(pa.name.empty() ? "applet" : pa.name);
    applet_->setParameters(pa.params);
    applet_->setDocumentBase(page.documentBase);
    applet_->setAppletContext(context_);
    context_->addApplet(applet_.get());

    ObjectPtr obj = info->factory(applet_.get(), pa.name);
    component_ = cast<Component>(obj);
    if (!component_) throw PageError("class '" + pa.code + "' did not create a component");

    frame_ = create<Frame>(pa.code);
    frame_->reshape(0, 0, w, h);
    if (auto asApplet = cast<Applet>(component_)) {
        asApplet->setParameters(pa.params);
        asApplet->setDocumentBase(page.documentBase);
        asApplet->setAppletContext(context_);
        context_->addApplet(asApplet.get());
        frame_->add(component_, Value("Center"));
    } else {
        applet_->add(component_, Value("Center"));
        frame_->add(applet_, Value("Center"));
    }
}

PageHost::~PageHost() {
    if (frame_) frame_->dispose();
}

void PageHost::show() {
    frame_->addNotify();
    frame_->validate();
    applet_->init();
    applet_->start();
    applet_->setActive(true);
    frame_->setVisible(true);
    // Work the components posted while being shown (focus, deferred repaints) runs
    // before the picture is taken; then paint the settled state.
    Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    frame_->validate();
    frame_->paintTree();
}

}  // namespace host
