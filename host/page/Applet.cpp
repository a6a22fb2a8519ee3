#include "host/page/Applet.h"

#include <algorithm>
#include <cstdio>
#include <cctype>

#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"

namespace host {

// ---- PageContext ----

Applet* PageContext::getApplet(const std::string& name) {
    std::lock_guard lock(mutex_);
    for (auto* a : applets_)
        if (a->getName() == name) return a;
    return nullptr;
}

std::shared_ptr<Image> PageContext::getImage(const URL& url) {
    auto img = Toolkit::getDefaultToolkit().getImage(url);
    if (!img || img->hasError())
        recordImageError(img ? img->errorMessage() : "Error loading image " + url.toString());
    return img;
}

void PageContext::recordImageError(const std::string& why) {
    std::lock_guard lock(mutex_);
    imageErrors_.push_back(why);
}

std::vector<std::string> PageContext::imageErrors() const {
    std::lock_guard lock(mutex_);
    return imageErrors_;
}

bool PageContext::recordFileError(const std::string& why) {
    std::lock_guard lock(mutex_);
    if (std::find(fileErrors_.begin(), fileErrors_.end(), why) != fileErrors_.end()) return false;
    fileErrors_.push_back(why);
    return true;
}

std::vector<std::string> PageContext::fileErrors() const {
    std::lock_guard lock(mutex_);
    return fileErrors_;
}

void PageContext::showDocument(const URL& url, const std::string& target) {
    {
        std::lock_guard lock(mutex_);
        documents_.emplace_back(url.toString(), target);
    }
    if (!quiet_) std::fprintf(stderr, "show document: %s (%s)\n", url.toString().c_str(), target.c_str());
}

void PageContext::showStatus(const std::string& status) {
    {
        std::lock_guard lock(mutex_);
        status_ = status;
    }
    if (!quiet_ && !status.empty()) std::fprintf(stderr, "status: %s\n", status.c_str());
}

void PageContext::addApplet(Applet* a) {
    std::lock_guard lock(mutex_);
    if (std::find(applets_.begin(), applets_.end(), a) == applets_.end()) applets_.push_back(a);
}

void PageContext::removeApplet(Applet* a) {
    std::lock_guard lock(mutex_);
    applets_.erase(std::remove(applets_.begin(), applets_.end(), a), applets_.end());
}

std::string PageContext::lastStatus() const {
    std::lock_guard lock(mutex_);
    return status_;
}

std::vector<std::pair<std::string, std::string>> PageContext::shownDocuments() const {
    std::lock_guard lock(mutex_);
    return documents_;
}

// ---- Applet ----

Applet::Applet() { setLayout(std::make_shared<BorderLayout>()); }

Applet::~Applet() {
    if (auto* pc = dynamic_cast<PageContext*>(context_.get())) pc->removeApplet(this);
}

namespace {

std::string lowerName(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

void Applet::setParameters(std::vector<std::pair<std::string, std::string>> params) {
    params_ = std::move(params);
    paramIndex_.clear();
    paramIndex_.reserve(params_.size());
    for (size_t i = 0; i < params_.size(); ++i) paramIndex_.emplace(lowerName(params_[i].first), i);
}

void Applet::setParameter(const std::string& name, const std::string& value) {
    auto [it, added] = paramIndex_.emplace(lowerName(name), params_.size());
    if (added)
        params_.emplace_back(name, value);
    else
        params_[it->second].second = value;
}

std::optional<std::string> Applet::getParameter(const std::string& name) const {
    auto it = paramIndex_.find(lowerName(name));
    if (it == paramIndex_.end()) return std::nullopt;
    return params_[it->second].second;
}

void Applet::setDocumentBase(const URL& u) {
    documentBase_ = u;
    codeBase_ = u;
}

std::shared_ptr<Image> Applet::getImage(const URL& url) {
    if (context_) return context_->getImage(url);
    return Toolkit::getDefaultToolkit().getImage(url);
}

std::shared_ptr<Image> Applet::getImage(const URL& base, const std::string& name) {
    if (name.find_first_not_of(" \t\r\n") == std::string::npos) {
        const std::string why = "Error loading image: the image name is empty";
        if (auto* page = dynamic_cast<PageContext*>(context_.get())) page->recordImageError(why);
        return Image::failed(why);
    }
    try {
        return getImage(URL(base, name));
    } catch (const std::exception& e) {
        const std::string why = std::string("Error loading image ") + name + ": " + e.what();
        if (auto* page = dynamic_cast<PageContext*>(context_.get())) page->recordImageError(why);
        return Image::failed(why);
    }
}

void Applet::showStatus(const std::string& s) {
    if (context_) context_->showStatus(s);
}

// ---- MediaTracker ----

void MediaTracker::addImage(const std::shared_ptr<Image>& img, int id) {
    if (img) images_.emplace_back(id, img);
}

bool MediaTracker::waitForID(int id) { return !isErrorID(id); }
bool MediaTracker::waitForAll() { return !isErrorAny(); }

bool MediaTracker::isErrorID(int id) const {
    return std::any_of(images_.begin(), images_.end(), [id](auto& p) { return p.first == id && p.second->hasError(); });
}

bool MediaTracker::isErrorAny() const {
    return std::any_of(images_.begin(), images_.end(), [](auto& p) { return p.second->hasError(); });
}

}  // namespace host
