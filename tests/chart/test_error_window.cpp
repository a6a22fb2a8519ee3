// The windowed chart error dialog: shown on a message, sized to it, closed by OK,
// and the message still reaches the error stream.
#include <gtest/gtest.h>

#include "chart/base/ChartErrorDialog.h"
#include "chart/ChartErrorWindow.h"
#include "host/graphics/Image.h"

using namespace norvex::chart;

namespace {

host::Component* findNamed(host::Component* c, const std::string& name) {
    if (c->getName() == name) return c;
    if (auto* ct = dynamic_cast<host::Container*>(c))
        for (auto& child : ct->getComponents())
            if (auto* f = findNamed(child.get(), name)) return f;
    return nullptr;
}

int darkPixels(const host::Image& img) {
    int n = 0;
    for (uint32_t p : img.getARGB())
        if (((p >> 16) & 0xff) < 80 && ((p >> 8) & 0xff) < 80 && (p & 0xff) < 80) ++n;
    return n;
}

}  // namespace

TEST(ChartErrorWindow, ShowsTheMessageAndOkClosesIt) {
    int created = 0;
    ChartErrorWindow::install([&](const std::shared_ptr<host::Dialog>&) { ++created; });
    testing::internal::CaptureStderr();
    ChartErrorDialog::show("Axis minimum is larger than maximum.[NEWLINE]The maximum is automatic now.");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Axis minimum is larger than maximum. The maximum is automatic now.\n");

    auto d = ChartErrorWindow::dialog();
    ASSERT_TRUE(d);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(d->isShowing());
    EXPECT_GT(d->getWidth(), 200) << "wide enough for the longer line";
    EXPECT_GT(darkPixels(*d->getBuffer()), 50) << "the text and the button frame are drawn";

    auto* ok = findNamed(d.get(), "ok");
    ASSERT_NE(ok, nullptr);
    host::MouseEvent press(ok, host::MouseEvent::MOUSE_PRESSED, 1, host::InputEvent::BUTTON1_MASK, 5, 5, 1);
    host::MouseEvent release(ok, host::MouseEvent::MOUSE_RELEASED, 2, host::InputEvent::BUTTON1_MASK, 5, 5, 1);
    ok->dispatchEvent(press);
    ok->dispatchEvent(release);
    EXPECT_FALSE(d->isVisible());

    testing::internal::CaptureStderr();
    ChartErrorDialog::show("second");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ChartErrorWindow::dialog(), d) << "one shared dialog";
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(ChartErrorWindow::message(), "second");
    ChartErrorWindow::dismiss();
    ChartErrorWindow::uninstall();
    ChartErrorDialog::clear();
}
