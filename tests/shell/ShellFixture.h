#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/VTApplication.h"
#include "platform/VTHelpViewer.h"

#include "../support/RecordingHelpViewer.h"

namespace vantrel::test {

// One application for the whole program, built the way the program builds it: under a
// locale whose decimal separator is a comma when one can be made here (localedef into a
// private folder, so nothing of the system changes).
class ShellEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static VTApplication& app() { return *app_; }
    // Whether the comma locale was in effect when the application was built.
    static bool builtUnderCommaLocale() { return commaLocale_; }
    static std::string numericLocaleAfterStart() { return numericAfterStart_; }
    static const std::filesystem::path& localeFolder() { return localeFolder_; }

private:
    static inline VTApplication* app_ = nullptr;
    static inline bool commaLocale_ = false;
    static inline std::string numericAfterStart_;
    static inline std::filesystem::path localeFolder_;
};

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name, const std::string& contents = {}) const;

private:
    std::filesystem::path path_;
};

// Runs `answer` on the first modal dialog that opens (once the event loop reaches it).
void answerNextDialog(std::function<void(QDialog&)> answer);

}  // namespace vantrel::test
