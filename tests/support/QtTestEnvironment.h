#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <utility>

namespace vantrel::test {

// One QApplication for the whole test program (Qt allows one per process), made before the
// first test and destroyed after the last; `setUp` runs once after it exists.
class QtTestEnvironment : public ::testing::Environment {
public:
    explicit QtTestEnvironment(std::function<void()> setUp = {}) : setUp_(std::move(setUp)) {}

    void SetUp() override {
        static int argc = 1;
        static char name[] = "vantrel_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = new QApplication(argc, argv);
        if (setUp_) setUp_();
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    std::function<void()> setUp_;
    QApplication* app_ = nullptr;
};

}  // namespace vantrel::test
