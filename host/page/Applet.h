// The embedding page: an Applet is the panel a page embeds, with the page's
// named parameters, its document base, image loading, and the page context
// (showing documents and the status line).
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/ui/Container.h"
#include "host/runtime/URL.h"

namespace host {

class Image;
class Applet;

// The browser side of a page: shows documents and status text.
class AppletContext {
public:
    virtual ~AppletContext() = default;
    virtual Applet* getApplet(const std::string& name) = 0;
    virtual std::shared_ptr<Image> getImage(const URL& url) = 0;
    virtual void showDocument(const URL& url) { showDocument(url, "_self"); }
    virtual void showDocument(const URL& url, const std::string& target) = 0;
    virtual void showStatus(const std::string& status) = 0;
};

// The context of a page shown by our own tools: documents and status lines are
// reported on the error stream and remembered.
class PageContext : public AppletContext {
public:
    Applet* getApplet(const std::string& name) override;
    std::shared_ptr<Image> getImage(const URL& url) override;
    void showDocument(const URL& url, const std::string& target) override;
    void showStatus(const std::string& status) override;

    void addApplet(Applet* a);
    void removeApplet(Applet* a);
    // What was shown, for tests and tools.
    std::string lastStatus() const;
    std::vector<std::pair<std::string, std::string>> shownDocuments() const;  // (url, target)
    // Why each image asked for through this context failed, in order, so that a tool
    // can report a page whose images did not load.
    std::vector<std::string> imageErrors() const;
    void recordImageError(const std::string& why);
    // Why each file the page's components read (such as a parameter file) failed, each
    // reason once. recordFileError is false when the reason was recorded before, so a
    // file that every component of the page reads is reported once.
    std::vector<std::string> fileErrors() const;
    bool recordFileError(const std::string& why);
    void setQuiet(bool q) { quiet_ = q; }

private:
    mutable std::mutex mutex_;
    std::vector<Applet*> applets_;  // non-owning
    std::string status_;
    std::vector<std::pair<std::string, std::string>> documents_;
    std::vector<std::string> imageErrors_;
    std::vector<std::string> fileErrors_;
    bool quiet_ = false;
};

class Applet : public Panel {
    HOST_OBJECT(Applet, "host.Applet", Panel)
public:
    Applet();
    ~Applet() override;

    // Parameters of the page, names compared ignoring case; first match wins. Look-ups
    // go through an index by lower-cased name, so a page of many parameters stays fast.
    void setParameters(std::vector<std::pair<std::string, std::string>> params);
    void setParameter(const std::string& name, const std::string& value);
    // The value, or nullopt when the page has no such parameter.
    std::optional<std::string> getParameter(const std::string& name) const;
    const std::vector<std::pair<std::string, std::string>>& getParameters() const { return params_; }

    const URL& getDocumentBase() const { return documentBase_; }
    const URL& getCodeBase() const { return codeBase_; }
    void setDocumentBase(const URL& u);
    void setCodeBase(const URL& u) { codeBase_ = u; }

    // The page context, null when the applet is not in a page.
    AppletContext* getAppletContext() const { return context_.get(); }
    void setAppletContext(std::shared_ptr<AppletContext> c) { context_ = std::move(c); }

    std::shared_ptr<Image> getImage(const URL& url);
    // The image name resolved against base; an empty name is a failed image (it would
    // name the page itself).
    std::shared_ptr<Image> getImage(const URL& base, const std::string& name);
    void showStatus(const std::string& s);

    virtual void init() {}
    virtual void start() {}
    virtual void stop() {}
    virtual void destroy() {}
    bool isActive() const { return active_; }
    void setActive(bool a) { active_ = a; }

private:
    std::vector<std::pair<std::string, std::string>> params_;
    std::unordered_map<std::string, size_t> paramIndex_;  // lower-cased name -> first in params_
    URL documentBase_{"file:/"};
    URL codeBase_{"file:/"};
    std::shared_ptr<AppletContext> context_;
    bool active_ = false;
};

// Waits for images to load; images of this toolkit load synchronously, so the
// tracker only reports which ones failed.
class MediaTracker {
public:
    explicit MediaTracker(Component* c) : comp_(c) {}
    void addImage(const std::shared_ptr<Image>& img, int id);
    bool waitForID(int id);   // false when one of the images failed
    bool waitForAll();
    bool isErrorID(int id) const;
    bool isErrorAny() const;
    bool checkID(int) const { return true; }  // loading is synchronous

private:
    [[maybe_unused]] Component* comp_;
    std::vector<std::pair<int, std::shared_ptr<Image>>> images_;
};

}  // namespace host
