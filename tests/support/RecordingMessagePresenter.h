#pragma once
// A message presenter for tests: records every message and answers with the
// queued results (the default button once the queue is empty). Installs
// itself for its lifetime.

#include "foundation/UserMessage.h"

#include <deque>
#include <vector>

class RecordingMessagePresenter final : public IMessagePresenter {
public:
    RecordingMessagePresenter() : previous_(MessagePresenter()) { SetMessagePresenter(this); }
    ~RecordingMessagePresenter() override { SetMessagePresenter(previous_); }
    RecordingMessagePresenter(const RecordingMessagePresenter&) = delete;
    RecordingMessagePresenter& operator=(const RecordingMessagePresenter&) = delete;

    TModalResult Present(const TUserMessage& message) override
    {
        shown.push_back(message);
        if (!answers.empty()) {
            const TModalResult r = answers.front();
            answers.pop_front();
            return r;
        }
        if (message.Buttons.empty())
            return mrOk;
        const auto index = static_cast<std::size_t>(message.DefaultButton);
        return ModalResultOf(message.Buttons[index < message.Buttons.size() ? index : 0]);
    }

    std::vector<TUserMessage> shown;
    std::deque<TModalResult> answers;

private:
    IMessagePresenter* previous_;
};
