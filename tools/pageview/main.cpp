// tarnview: renders a page that embeds a component to a PNG (or GIF) file.
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "HostDemo.h"
#include "PictureOutput.h"
#include "TreeDemo.h"
#include "RichTextDemo.h"
#include "host/runtime/Loader.h"
#include "host/page/PageHost.h"
#include "host/ui/Toolkit.h"
#include "host/x11/X11Backend.h"
#include "host/graphics/Image.h"
#include "host/graphics/VectorGraphics.h"
#include "chart/base/ChartDiagnostics.h"
#include "chart/AxisSelectorWindow.h"
#include "chart/ChartErrorWindow.h"
#include "image/PictureFile.h"

#include <iostream>
#include <sstream>

namespace {

const char* kHelp =
    "Usage: tarnview PAGE.html [options]\n"
    "Renders the component that an HTML page embeds (its first <applet> element,\n"
    "with the class named by code= and the <param> tags) and writes a picture.\n"
    "\n"
    "Options:\n"
    "  -o FILE         write the picture to FILE: .gif writes GIF, .svg SVG, .pdf PDF,\n"
    "                  anything else PNG;\n"
    "                  \"-\" writes to standard output; default: PAGE with .png\n"
    "                  (the page itself is never overwritten; a file is replaced\n"
    "                  only by a complete picture)\n"
    "  --format F      png, gif, svg or pdf: the format for standard output\n"
    "                  (default png)\n"
    "  --width N       override the applet's width\n"
    "  --height N      override the applet's height\n"
    "  --antialias     draw smooth (antialiased) lines, shapes and text instead of\n"
    "                  the classic exact-pixel look\n"
    "  --window        show the page in a window on the X display (DISPLAY) until\n"
    "                  it is closed, instead of writing a picture\n"
    "  --seconds N     with --window: close the window after N seconds\n"
    "  --lib-dir DIR   load the component libraries from DIR (default: ../lib beside\n"
    "                  this program)\n"
    "  -q, --quiet     do not report status lines and shown documents\n"
    "  -h, --help      show this text\n"
    "\n"
    "Classes known without a library: tools.HostDemo (host drawing demo).\n"
    "Widget trees: tools.ComponentTree builds children from its parameters\n"
    "  child1 ... childN (class names; the first gap ends the list). Each child is\n"
    "  named child1, child2 ..., so child1.shadowType applies to child1 before a\n"
    "  plain shadowType applies to all. Its own parameters: columns (default 5),\n"
    "  hgap, vgap (default 6), layout (GRID, NXGRID or ALIGNER). A tree may name a\n"
    "  tree: the one named child2 reads child2.columns, child2.child1 ... and names\n"
    "  its children child2.child1 ...; trees nest at most 16 deep.\n"
    "  tools.FramedBox is a framed widget for such trees: shadowType (SHADOW_NONE\n"
    "  ... CONTROL_SHADOW_OUT), label, areaColor (fills the drawing area inside the\n"
    "  insets), focused (true draws the focus highlight), and the parameters of\n"
    "  every widget (background, foreground, font, ShadowThickness,\n"
    "  HighlightThickness, HighlightColor, insets, preferredWidth, preferredHeight).\n"
    "GIF output holds at most 255 colours: a picture with more (antialiased text,\n"
    "photos) is reduced to a palette of 255 by median cut, and a line on the error\n"
    "stream says so; a picture with fewer is written exactly.\n"
    "Exit status: 0 on success, 1 on a rendering or output error or when an\n"
    "image or file (such as paramFile) the page names cannot be loaded (the\n"
    "picture is still written, without it), 2 on bad arguments or a page that\n"
    "cannot be read.\n";

int fail(int code, const std::string& msg) {
    std::fprintf(stderr, "tarnview: %s\n", msg.c_str());
    return code;
}

bool parseInt(const char* s, int& out) {
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (!s[0] || *end || v <= 0 || v > 16384) return false;
    out = int(v);
    return true;
}

// The format a file name asks for by its extension: gif, svg, pdf, else png.
std::string formatOfName(const std::string& name) {
    std::string lower = name;
    for (auto& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const char* ext : {"gif", "svg", "pdf"}) {
        const std::string dotted = std::string(".") + ext;
        if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, dotted) == 0) return ext;
    }
    return "png";
}

// Writes the window's picture as PNG or GIF to a file or standard output ("-"). The
// picture is encoded in memory first, so a refused picture never leaves a file behind,
// and a file is replaced only by a complete one.
bool writePicture(host::Window& frame, const std::string& out, const std::string& format, std::string& error) {
    auto buffer = frame.getBuffer();
    if (!buffer) {
        error = "the window has no picture";
        return false;
    }
    std::string bytes;
    if (auto vector = host::VectorDocument::formatNamed(format)) {
        // The tree painted once more, onto a document page of the window's size.
        host::VectorDocument doc(*vector, frame.getWidth(), frame.getHeight());
        if (auto g = doc.graphics()) {
            frame.paintTreeTo(*g);
            g->dispose();
        }
        if (!doc.finish(bytes, &error)) return false;
    } else {
        size_t colors = 0;
        if (!norvex::image::encodePicture(*buffer, format == "gif", bytes, &error, &colors)) return false;
        if (colors > 255)
            std::fprintf(stderr, "tarnview: the picture has %zu colours; the GIF holds a reduced palette of 255\n", colors);
    }
    if (out == "-") {
        std::cout.write(bytes.data(), std::streamsize(bytes.size()));
        std::cout.flush();
        if (!std::cout) error = "the stream refused the picture";
        return bool(std::cout);
    }
    return tools::writeFileAtomically(out, bytes, error);
}

}  // namespace

int main(int argc, char** argv) {
    std::string pagePath, libDir = host::Loader::libraryDir();
    std::optional<std::string> givenOut;
    int width = -1, height = -1;
    bool quiet = false;
    bool windowMode = false;
    bool antialias = false;
    std::string format = "png";
    int seconds = -1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto needValue = [&](const char* opt) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tarnview: %s needs a value\n", opt);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (a == "-o") {
            givenOut = needValue("-o");
        } else if (a == "--width") {
            if (!parseInt(needValue("--width"), width)) return fail(2, "--width needs a whole number from 1 to 16384");
        } else if (a == "--height") {
            if (!parseInt(needValue("--height"), height)) return fail(2, "--height needs a whole number from 1 to 16384");
        } else if (a == "--format") {
            format = needValue("--format");
            if (format != "png" && format != "gif" && format != "svg" && format != "pdf")
                return fail(2, "--format takes png, gif, svg or pdf");
        } else if (a == "--antialias") {
            antialias = true;
        } else if (a == "--window") {
            windowMode = true;
        } else if (a == "--seconds") {
            if (!parseInt(needValue("--seconds"), seconds)) return fail(2, "--seconds needs a whole number from 1 to 16384");
        } else if (a == "--lib-dir") {
            libDir = needValue("--lib-dir");
        } else if (a == "-q" || a == "--quiet") {
            quiet = true;
        } else if (!a.empty() && a[0] == '-') {
            return fail(2, "unknown option " + a + " (see --help)");
        } else if (pagePath.empty()) {
            pagePath = a;
        } else {
            return fail(2, "only one page can be rendered at a time");
        }
    }
    if (pagePath.empty()) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    std::string outError;
    const std::string out = windowMode ? std::string() : tools::chooseOutput(pagePath, givenOut, outError);
    if (!windowMode && out.empty()) return fail(2, outError);

    host::ClassRegistry::instance().add(tools::HostDemo::staticClass());
    host::ClassRegistry::instance().add(tools::ComponentTree::staticClass());
    host::ClassRegistry::instance().add(tools::FramedBox::staticClass());
    host::ClassRegistry::instance().add(tools::RichTextDemo::staticClass());
    std::vector<std::string> loadErrors;
    host::Loader::loadComponentLibraries(libDir, &loadErrors);
    for (auto& e : loadErrors) std::fprintf(stderr, "tarnview: %s\n", e.c_str());

    // Standard output may carry the picture: informational lines go to the error stream.
    if (out == "-")
        norvex::chart::ChartDiagnostics::setSink([](const std::string& line) { std::cerr << line << "\n"; });

    // In a window session the chart's error messages also open their dialog on screen.
    std::vector<std::shared_ptr<host::X11Backend>> dialogScreens;
    // So does a chart's axis selector (its key "a" with more than one axis of a kind).
    // Dialogs open on the thread that raises them; the list is closed at the end.
    std::mutex dialogMutex;
    auto openOnScreen = [&dialogScreens, &dialogMutex](const char* what) {
        return [&dialogScreens, &dialogMutex, what](const std::shared_ptr<host::Dialog>& d) {
            std::string err;
            if (auto b = host::X11Backend::open(d, &err)) {
                std::lock_guard lock(dialogMutex);
                dialogScreens.push_back(b);
            } else {
                std::fprintf(stderr, "tarnview: cannot show the %s: %s\n", what, err.c_str());
            }
        };
    };
    if (windowMode) {
        norvex::chart::ChartErrorWindow::install(openOnScreen("error dialog"));
        norvex::chart::AxisSelectorWindow::install(openOnScreen("axis selector"));
    }

    try {
        host::Page page = host::Page::read(pagePath);
        host::PageHost view(page, width, height);
        view.context()->setQuiet(quiet);
        view.frame().setAntialias(antialias);
        view.show();
        std::string error;
        if (windowMode) {
            auto frame = std::static_pointer_cast<host::Window>(view.frame().shared_from_this());
            auto backend = host::X11Backend::open(frame, &error);
            if (!backend) return fail(1, error);
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            while (!backend->waitClosed(std::chrono::milliseconds(200)))
                if (seconds > 0 && std::chrono::steady_clock::now() >= deadline) break;
            backend->close();
            norvex::chart::ChartErrorWindow::uninstall();
            norvex::chart::AxisSelectorWindow::uninstall();
            std::vector<std::shared_ptr<host::X11Backend>> screens;
            {
                std::lock_guard lock(dialogMutex);
                screens.swap(dialogScreens);
            }
            for (auto& b : screens) b->close();
            return 0;
        }
        if (!writePicture(view.frame(), out, out == "-" ? format : formatOfName(out), error))
            return fail(1, "cannot write " + (out == "-" ? std::string("standard output") : out) + ": " + error);
        // The picture is written without the images and files that did not load; the
        // status says so. A file's failure was reported when it was read.
        const auto imageErrors = view.context()->imageErrors();
        for (const auto& why : imageErrors) fail(1, why);
        if (!imageErrors.empty() || !view.context()->fileErrors().empty()) return 1;
    } catch (const host::PageError& e) {
        return fail(2, pagePath + ": " + e.what());
    } catch (const host::IOException& e) {
        return fail(2, e.what());
    } catch (const std::exception& e) {
        return fail(1, std::string("rendering failed: ") + e.what());
    }
    return 0;
}
