#include "host/ui/Window.h"

#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"

namespace host {

Window::Window() {
    setLayout(std::make_shared<BorderLayout>());
    setBackground(SystemColor::window);
    setForeground(SystemColor::windowText);
    setFont(Font("Dialog", Font::PLAIN, 12));
    Component::setVisible(false);
}

Window::~Window() = default;

void Window::pack() {
    if (!hasPeer()) addNotify();
    Dimension d = preferredSize();
    reshape(getX(), getY(), d.width, d.height);
    validate();
}

void Window::setVisible(bool b) {
    if (b) {
        if (!hasPeer()) addNotify();
        validate();
        Component::setVisible(true);
        paintTree();
    } else {
        Component::setVisible(false);
    }
}

bool Window::isShowing() const { return isVisible() && hasPeer(); }

void Window::dispose() {
    Component::setVisible(false);
    removeNotify();
}

void Window::addNotify() {
    {
        std::lock_guard lock(bufferMutex_);
        if (!buffer_) buffer_ = Image::createOffscreen(std::max(1, getWidth()), std::max(1, getHeight()));
    }
    Container::addNotify();
}

void Window::removeNotify() {
    Container::removeNotify();
    std::lock_guard lock(bufferMutex_);
    buffer_.reset();
}

void Window::reshape(int x, int y, int w, int h) {
    bool resized = w != getWidth() || h != getHeight();
    Container::reshape(x, y, w, h);
    if (!resized) return;
    std::shared_ptr<WindowBackend> backend;
    {
        std::lock_guard lock(bufferMutex_);
        if (buffer_) buffer_ = Image::createOffscreen(std::max(1, w), std::max(1, h));
        backend = backend_;
    }
    if (backend) backend->resized(w, h);
}

std::shared_ptr<Image> Window::getBuffer() const {
    std::lock_guard lock(bufferMutex_);
    return buffer_;
}

void Window::setGraphicsFactory(GraphicsFactory f) {
    std::lock_guard lock(bufferMutex_);
    factory_ = std::move(f);
}

GraphicsPtr Window::graphicsFor(Component& c) {
    GraphicsFactory factory;
    std::shared_ptr<Image> buffer;
    {
        std::lock_guard lock(bufferMutex_);
        factory = factory_;
        buffer = buffer_;
    }
    GraphicsPtr g;
    if (factory) {
        g = factory(c);
    } else {
        if (!buffer) return nullptr;
        auto root = buffer->getGraphics();
        if (!root) return nullptr;
        g = contextIn(*root, c);
        root->dispose();
    }
    if (!g) return nullptr;
    // Counted after the context exists, so a poller that sees the new serial also sees
    // the buffer in use until the drawing is done.
    paintSerial_.fetch_add(1, std::memory_order_acq_rel);
    g->setFont(c.getFont());
    g->setColor(c.getForeground().value_or(Color::black));
    if (antialias_) g->setAntialias(true);
    return g;
}

GraphicsPtr Window::contextIn(Graphics& root, Component& c) {
    // Clip to every ancestor, as child windows are clipped by their parents; each
    // step is a sub-area context, so a later setClip cannot leave the component.
    std::vector<const Component*> chain;
    for (const Component* p = &c; p && p != this; p = p->getParent()) chain.push_back(p);
    GraphicsPtr g = root.create(0, 0, getWidth(), getHeight());
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto inner = g->create((*it)->getX(), (*it)->getY(), (*it)->getWidth(), (*it)->getHeight());
        g->dispose();
        g = std::move(inner);
    }
    if (auto bg = c.getBackground()) g->setBackground(*bg);
    return g;
}

void Window::paintTreeTo(Graphics& target) {
    // Every context the components get while this runs, including those they ask for
    // themselves, draws on the target; the window's own way comes back afterwards.
    GraphicsFactory saved;
    {
        std::lock_guard lock(bufferMutex_);
        saved = factory_;
        factory_ = [this, &target](Component& c) { return contextIn(target, c); };
    }
    struct Restore {
        Window* w;
        GraphicsFactory f;
        ~Restore() {
            std::lock_guard lock(w->bufferMutex_);
            w->factory_ = std::move(f);
        }
    } restore{this, std::move(saved)};
    paintComponentTree(*this);
}

void Window::paintComponentTree(Component& c) {
    if (!c.isVisible()) return;
    if (auto g = graphicsFor(c)) {
        // Like a native peer, the area is cleared to the background before the component paints.
        if (auto bg = c.getBackground()) {
            g->setColor(*bg);
            g->fillRect(0, 0, c.getWidth(), c.getHeight());
            g->setColor(c.getForeground().value_or(Color::black));
        }
        c.paint(*g);
        g->dispose();
    }
    if (auto* ct = dynamic_cast<Container*>(&c))
        for (auto& child : ct->getComponents()) paintComponentTree(*child);
}

void Window::paintTree() {
    if (!isShowing()) return;
    paintComponentTree(*this);
    notifyDamaged({0, 0, getWidth(), getHeight()});
}

bool Window::writePNG(const std::string& path, std::string* error) {
    auto b = getBuffer();
    if (!b) {
        if (error) *error = "window has no buffer (not shown)";
        return false;
    }
    return b->writePNG(path, error);
}

void Window::setBackend(std::shared_ptr<WindowBackend> b) {
    std::lock_guard lock(bufferMutex_);
    backend_ = std::move(b);
}

void Window::notifyDamaged(const Rectangle& area) {
    std::shared_ptr<WindowBackend> backend;
    {
        std::lock_guard lock(bufferMutex_);
        backend = backend_;
    }
    if (backend) backend->damaged(area);
}

bool Window::isBufferInUse() const {
    // Every context on the buffer keeps the image alive; only the window's own reference
    // remains when nobody is drawing.
    std::lock_guard lock(bufferMutex_);
    return buffer_ && buffer_.use_count() > 1;
}

void Window::setFocusOwner(Component* c) { focusOwner_ = c; }

}  // namespace host
