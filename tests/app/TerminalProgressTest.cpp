#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "app/cli/VTTerminalProgress.h"

namespace {

std::string contents(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += char(c);
    return s;
}

TEST(TerminalProgress, BarFillsByThirtieths) {
    EXPECT_EQ(VTTerminalProgress::barText(0.0f), "[" + std::string(30, '.') + "]   0%");
    EXPECT_EQ(VTTerminalProgress::barText(0.5f),
              "[" + std::string(15, '#') + std::string(15, '.') + "]  50%");
    EXPECT_EQ(VTTerminalProgress::barText(1.0f), "[" + std::string(30, '#') + "] 100%");
    EXPECT_EQ(VTTerminalProgress::barText(7.0f), VTTerminalProgress::barText(1.0f));
}

TEST(TerminalProgress, WithoutATerminalEachLineIsWrittenOnce) {
    std::FILE* f = std::tmpfile();
    {
        VTTerminalProgress p(f, false);
        p.begin("Exporting Wave File...");
        p.setLines("Pre-rolling...", "");
        p.setProgress(0.5f);
        p.setLines("Exporting to:", "out.wav");
        p.setProgress(1.0f);
        p.end();
    }
    EXPECT_EQ(contents(f), "Pre-rolling...\nExporting to: out.wav\n");
    std::fclose(f);
}

TEST(TerminalProgress, OnATerminalTheBarIsRedrawnInPlace) {
    std::FILE* f = std::tmpfile();
    {
        VTTerminalProgress p(f, true);
        p.begin("Exporting Wave File...");
        p.setLines("Exporting to:", "out.wav");
        p.setProgress(1.0f);
        p.end();
    }
    const std::string s = contents(f);
    EXPECT_NE(s.find("\r\033[K" + VTTerminalProgress::barText(1.0f) + " Exporting to: out.wav"),
              std::string::npos);
    EXPECT_EQ(s.back(), '\n');
    std::fclose(f);
}

TEST(TerminalProgress, InterruptAsksTheExportToStop) {
    std::FILE* f = std::tmpfile();
    {
        VTTerminalProgress p(f, false);
        EXPECT_FALSE(p.cancelRequested());
        std::raise(SIGINT);
        EXPECT_TRUE(p.cancelRequested());
    }
    VTTerminalProgress fresh(f, false);
    EXPECT_FALSE(fresh.cancelRequested());
    std::fclose(f);
}

}  // namespace
