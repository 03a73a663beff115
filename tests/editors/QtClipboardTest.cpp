// The desktop clipboard as the program's text clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "EditorFixture.h"
#include "editors/KDQtTextClipboard.h"

namespace vantrel::test {
namespace {

TEST(QtTextClipboard, TextsTravelThroughTheDesktopClipboard) {
    KDQtTextClipboard clipboard;
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_FALSE(clipboard.hasText()) << "a picture is no text";
    EXPECT_EQ(clipboard.text(), "");

    clipboard.setText(std::string_view("preset: TestGen { 0, 440, 1 }\0junk", 34));
    EXPECT_TRUE(clipboard.hasText());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "preset: TestGen { 0, 440, 1 }")
        << "zero-terminated: nothing after the NUL";
    EXPECT_EQ(clipboard.text(15), "preset: TestGen");
    EXPECT_EQ(clipboard.text(1000), "preset: TestGen { 0, 440, 1 }");
}

}  // namespace
}  // namespace vantrel::test
