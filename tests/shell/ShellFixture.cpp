#include "ShellFixture.h"

#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <random>

#include "makers/VTPluginMakers.h"

namespace vantrel::test {
namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

std::filesystem::path freshFolder(const std::string& stem) {
    static std::mt19937 random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ getpid()));
    for (;;) {
        auto p = std::filesystem::temp_directory_path() /
                 (stem + "-" + std::to_string(getpid()) + "-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(p, ec)) return p;
    }
}

}  // namespace

void ShellEnvironment::SetUp() {
    localeFolder_ = freshFolder("vantrel-locale");
    const std::string command = "localedef -i de_DE -f UTF-8 '" +
                                (localeFolder_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) {
        setenv("LOCPATH", localeFolder_.c_str(), 1);
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        // The application takes the locale from the environment, as it does for a user.
        if (std::setlocale(LC_ALL, "") != nullptr) commaLocale_ = *localeconv()->decimal_point == ',';
        std::setlocale(LC_ALL, "C");
    }
    static int argc = 1;
    static char name[] = "test_shell";
    static char* argv[] = {name, nullptr};
    app_ = new VTApplication(argc, argv);
    numericAfterStart_ = std::setlocale(LC_NUMERIC, nullptr);
    registerPluginMakers();
}

void ShellEnvironment::TearDown() {
    delete app_;
    app_ = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(localeFolder_, ec);
}

TempFolder::TempFolder() : path_(freshFolder("vantrel-shell")) {}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name, const std::string& contents) const {
    const auto p = path_ / name;
    FILE* f = std::fopen(p.c_str(), "wb");
    if (f) {
        std::fwrite(contents.data(), 1, contents.size(), f);
        std::fclose(f);
    }
    return p.string();
}

void answerNextDialog(std::function<void(QDialog&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start();
}

}  // namespace vantrel::test
