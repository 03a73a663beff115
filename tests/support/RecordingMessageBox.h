#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/VTMessageBox.h"

namespace vantrel::test {

// Records every message and answers from a queue (Ok, or the given default, when the queue is
// empty). Installs itself for its lifetime.
class RecordingMessageBox : public VTMessageBox {
public:
    struct Message {
        std::string text;
        std::string caption;
        VTMessageButtons buttons;
        VTMessageIcon icon;
    };

    RecordingMessageBox() : previous_(VTMessageBox::current()) { VTMessageBox::setCurrent(this); }
    ~RecordingMessageBox() override { VTMessageBox::setCurrent(previous_); }

    VTMessageAnswer ask(const std::string& text, const std::string& caption,
                        VTMessageButtons buttons, VTMessageIcon icon) override {
        messages.push_back({text, caption, buttons, icon});
        if (answers.empty()) return fallback;
        VTMessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<Message> messages;
    std::deque<VTMessageAnswer> answers;
    VTMessageAnswer fallback = VTMessageAnswer::Ok;

private:
    VTMessageBox* previous_;
};

}  // namespace vantrel::test
