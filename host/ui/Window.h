// Top-level windows. A window keeps a back buffer that every component in it
// paints into; a backend shows the buffer (headless: nobody, or a file).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "host/ui/Container.h"

namespace host {

class Image;

// What shows a window's buffer. The headless toolkit has none; a screen backend
// copies the damaged area to the screen.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual void damaged(const Rectangle& area) = 0;
    virtual void resized(int w, int h) = 0;
};

class Window : public Container {
    HOST_OBJECT(Window, "host.Window", Container)
public:
    Window();
    ~Window() override;

    // Sizes itself to its preferred size and lays out.
    void pack();
    void setVisible(bool b) override;
    bool isShowing() const override;
    void dispose();
    void toFront() {}

    void addNotify() override;
    void removeNotify() override;
    void reshape(int x, int y, int w, int h) override;

    // The back buffer (null before addNotify).
    std::shared_ptr<Image> getBuffer() const;
    // Clears and paints every visible component of the tree into the buffer.
    void paintTree();
    // Paints one component (and, for containers, its children) into the buffer.
    void paintComponentTree(Component& c);
    // Paints every visible component of the tree into another target (a document page
    // of the window's size) the way paintTree paints the buffer; the buffer is left alone.
    void paintTreeTo(Graphics& target);
    // Writes the buffer as a PNG file.
    bool writePNG(const std::string& path, std::string* error = nullptr);

    // Replaces how getGraphics() of components in this window makes contexts, for
    // tests that record drawing; the function gets the component and returns a context
    // already translated to it.
    using GraphicsFactory = std::function<GraphicsPtr(Component&)>;
    void setGraphicsFactory(GraphicsFactory f);
    // Every graphics context of the window's components draws antialiased (off by default).
    void setAntialias(bool on) { antialias_ = on; }
    bool getAntialias() const { return antialias_; }
    GraphicsPtr graphicsFor(Component& c);

    void setBackend(std::shared_ptr<WindowBackend> b);
    void notifyDamaged(const Rectangle& area);
    // Components paint synchronously through graphicsFor, which tells nobody when the
    // drawing ends. A screen backend polls these two instead: the serial counts the
    // contexts made so far, and the buffer is in use while any context on it lives.
    uint64_t paintSerial() const { return paintSerial_.load(std::memory_order_acquire); }
    bool isBufferInUse() const;

    // Keyboard focus inside this window.
    Component* getFocusOwner() const { return focusOwner_.load(); }
    void setFocusOwner(Component* c);

private:
    // A context on root for c, translated to it and clipped to it and its ancestors.
    GraphicsPtr contextIn(Graphics& root, Component& c);

    mutable std::mutex bufferMutex_;
    std::shared_ptr<Image> buffer_;
    GraphicsFactory factory_;
    std::shared_ptr<WindowBackend> backend_;
    std::atomic<Component*> focusOwner_{nullptr};  // set on the event thread, read anywhere
    std::atomic<uint64_t> paintSerial_{0};
    std::atomic<bool> antialias_{false};
};

class Frame : public Window {
    HOST_OBJECT(Frame, "host.Frame", Window)
public:
    explicit Frame(std::string title = "") : title_(std::move(title)) {}
    const std::string& getTitle() const { return title_; }
    void setTitle(const std::string& t) { title_ = t; }
    void setResizable(bool b) { resizable_ = b; }
    bool isResizable() const { return resizable_; }

private:
    std::string title_;
    bool resizable_ = true;
};

class Dialog : public Window {
    HOST_OBJECT(Dialog, "host.Dialog", Window)
public:
    Dialog(Frame* owner, std::string title = "", bool modal = false)
        : owner_(owner), title_(std::move(title)), modal_(modal) {}
    Frame* getOwner() const { return owner_; }
    const std::string& getTitle() const { return title_; }
    void setTitle(const std::string& t) { title_ = t; }
    bool isModal() const { return modal_; }
    void setModal(bool m) { modal_ = m; }
    void setResizable(bool b) { resizable_ = b; }

private:
    Frame* owner_;  // non-owning
    std::string title_;
    bool modal_;
    bool resizable_ = true;
};

}  // namespace host
