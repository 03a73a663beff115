#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "ShellFixture.h"
#include "app/shell/VTApplication.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocument.h"
#include "support/RecordingMessageBox.h"

namespace {

using vantrel::test::ShellEnvironment;
using vantrel::test::TempFolder;

std::string printed(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

// Whatever the locale said before, reals are written and read with a point.
void expectPoint() {
    EXPECT_EQ(printed(120.5), "120.5");
    EXPECT_EQ(std::strtod("120.5", nullptr), 120.5);
    EXPECT_EQ(QLocale().decimalPoint(), ".");
    EXPECT_EQ(QLocale().toString(120.5), "120.5");
    EXPECT_EQ(QLocale().toString(12345.5, 'f', 1), "12345.5");
    bool ok = false;
    EXPECT_EQ(QLocale().toDouble("120.5", &ok), 120.5);
    EXPECT_TRUE(ok);
}

TEST(Application, TitleAndPointAsDecimalSeparatorFromTheStart) {
    EXPECT_EQ(QCoreApplication::applicationName(), "Vantrel");
    if (!ShellEnvironment::builtUnderCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma could be made here";
    EXPECT_EQ(ShellEnvironment::numericLocaleAfterStart(), "C");
    expectPoint();
}

TEST(Application, PointComesBackAfterACommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma could be made here";
    ASSERT_EQ(printed(0.5), "0,5");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(QLocale().toString(0.5), "0,5");
    VTApplication::useDecimalPoint();
    expectPoint();
}

TEST(Application, TempoIsWrittenAndReadWithAPointUnderACommaLocale) {
    // The user's comma locale for everything the program does not set itself.
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    VTApplication::useDecimalPoint();
    TempFolder folder;
    const std::string path = (folder.path() / "tempo.vtx").string();
    {
        auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                      std::make_unique<KDMessageDocumentDialogs>());
        ASSERT_TRUE(doc);
        ASSERT_TRUE(doc->SetTempo(120.5));
        EXPECT_NE(doc->WriteText().find("120.5"), std::string::npos);
        EXPECT_EQ(doc->WriteText().find("120,5"), std::string::npos);
        ASSERT_TRUE(doc->WriteFile(path));
    }
    auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                  std::make_unique<KDMessageDocumentDialogs>());
    bool changed = false;
    ASSERT_TRUE(doc->ReadFile(path, changed));
    EXPECT_EQ(doc->Tempo(), 120.5);
    if (!comma) GTEST_SKIP() << "checked under the C locale only";
}

// Throws from its event handler, as a faulty command would.
class Thrower : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("The patch could not be changed.");
        if (e->type() == QEvent::User + 1) throw 42;
        return QObject::event(e);
    }
};

TEST(Application, AnExceptionReachingTheLoopIsShownAndTheLoopGoesOn) {
    vantrel::test::RecordingMessageBox box;
    Thrower thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 1)));
    bool later = false;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, [&] {
        later = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(later);
    ASSERT_EQ(box.messages.size(), 2u);
    EXPECT_EQ(box.messages[0].text, "The patch could not be changed.");
    EXPECT_EQ(box.messages[0].caption, "Vantrel");
    EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Stop);
    EXPECT_FALSE(box.messages[1].text.empty());
}

}  // namespace
