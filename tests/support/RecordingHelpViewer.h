#pragma once

#include <vector>

#include "platform/VTHelpViewer.h"

namespace vantrel::test {

// Records the help topics asked for; installs itself for its lifetime.
class RecordingHelpViewer : public VTHelpViewer {
public:
    RecordingHelpViewer() : previous_(VTHelpViewer::current()) { VTHelpViewer::setCurrent(this); }
    ~RecordingHelpViewer() override { VTHelpViewer::setCurrent(previous_); }
    void showTopic(int topic) override { topics.push_back(topic); }
    std::vector<int> topics;

private:
    VTHelpViewer* previous_;
};

}  // namespace vantrel::test
