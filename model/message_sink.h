// Where core operations send what the user must be told: the GUI shows a modal message box,
// the command line prints to stderr, tests collect the texts.
#pragma once

#include <string>
#include <vector>

namespace plicato {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& text) = 0;
};

// Keeps every message in order; used by tests and by callers that decide later what to show.
class CollectingMessageSink : public MessageSink {
public:
    void show(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

} // namespace plicato
