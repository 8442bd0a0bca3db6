#include "runtime/cmcEvMan.h"

#include <utility>

cmcEvMan::cmcEvMan(cmcTimerHost& host) : m_host(host), m_epoch(host.NowMs()), m_dispatch(host) {
    m_dispatch.SetHandler(cmcTask::Handler(this, &cmcEvMan::Dispatch));
}

cmcEvMan::~cmcEvMan() {
    m_dispatch.Detach();
}

void cmcEvMan::Listen(const Listener& listener) {
    if (!listener) {
        return;
    }
    MarkRemoved(listener);
    m_listeners.push_back(ListenerNode{listener});
}

void cmcEvMan::Unlisten(const Listener& listener) {
    MarkRemoved(listener);
    FreeRemoved();
}

void cmcEvMan::Send(uint32_t code, int32_t p1, int32_t p2) {
    Deliver(MakeEvent(code, cmcEventMode::Immediate, p1, p2, nullptr, 0));
}

void cmcEvMan::SendData(uint32_t code, int32_t p1, int32_t p2, std::string_view text) {
    Deliver(MakeTextEvent(code, cmcEventMode::Immediate, p1, p2, text));
}

void cmcEvMan::SendData(uint32_t code, const void* data, size_t length) {
    Deliver(MakeEvent(code, cmcEventMode::Immediate, 0, 0, data, length));
}

void cmcEvMan::Post(uint32_t code, int32_t p1, int32_t p2) {
    Enqueue(MakeEvent(code, cmcEventMode::Queued, p1, p2, nullptr, 0));
}

void cmcEvMan::PostData(uint32_t code, int32_t p1, int32_t p2, std::string_view text) {
    Enqueue(MakeTextEvent(code, cmcEventMode::Queued, p1, p2, text));
}

void cmcEvMan::PostData(uint32_t code, const void* data, size_t length) {
    Enqueue(MakeEvent(code, cmcEventMode::Queued, 0, 0, data, length));
}

const cmcEvAns* cmcEvMan::Ask(uint32_t code, int32_t p1, int32_t p2) {
    cmcEvAns* owner = m_currentAnswer;
    cmcEvAns* first = owner->OpenChild();
    m_currentAnswer = first;
    Deliver(MakeEvent(code, cmcEventMode::Question, p1, p2, nullptr, 0));
    m_currentAnswer = owner;
    return first->IsAnswered() ? first : nullptr;
}

void cmcEvMan::Answer(int32_t value1, int32_t value2) {
    AddAnswer(value1, value2, {});
}

void cmcEvMan::AnswerData(const void* data, size_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    AddAnswer(0, 0, std::vector<uint8_t>(bytes, bytes + (bytes != nullptr ? length : 0)));
}

cmcEvent cmcEvMan::MakeEvent(uint32_t code, cmcEventMode mode, int32_t p1, int32_t p2,
                             const void* data, size_t length) {
    cmcEvent event{code, mode, p1, p2, {}};
    if (data != nullptr) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        event.payload.assign(bytes, bytes + length);
    }
    return event;
}

cmcEvent cmcEvMan::MakeTextEvent(uint32_t code, cmcEventMode mode, int32_t p1, int32_t p2,
                                 std::string_view text) {
    cmcEvent event = MakeEvent(code, mode, p1, p2, text.data(), text.size());
    event.payload.push_back(0);
    return event;
}

// Nodes are never unlinked while a delivery walks the list, so a listener
// may register or unregister anyone, itself included, from its handler.
void cmcEvMan::Deliver(const cmcEvent& event) {
    ++m_deliveryDepth;
    for (auto node = m_listeners.begin(); node != m_listeners.end(); ++node) {
        if (!node->removed) {
            node->handler(event);
        }
    }
    --m_deliveryDepth;
    FreeRemoved();
}

void cmcEvMan::Enqueue(cmcEvent event) {
    // Pending until the next dispatch round begins, so an event posted from
    // a handler of a queued event waits for the following tick.
    m_queue.push_back(QueuedEvent{std::move(event)});
    WakeDispatch();
}

void cmcEvMan::WakeDispatch() {
    if (m_dispatch.Interval() >= 0) {
        return;
    }
    const auto interval = static_cast<uint32_t>(kDispatchIntervalMs);
    const uint32_t phase = (m_host.NowMs() - m_epoch) % interval;
    m_dispatch.SetInterval(static_cast<int32_t>(interval - phase));
}

void cmcEvMan::Dispatch(cmcTask& /*task*/) {
    for (QueuedEvent& queued : m_queue) {
        queued.pending = false;
    }
    for (auto queued = m_queue.begin(); queued != m_queue.end(); ++queued) {
        if (!queued->done && !queued->pending) {
            Deliver(queued->event);
            queued->done = true;
        }
    }
    std::erase_if(m_queue, [](const QueuedEvent& queued) { return queued.done; });
    FreeRemoved();
    if (m_queue.empty()) {
        m_dispatch.SetInterval(-1);
    } else if (m_dispatch.Interval() != kDispatchIntervalMs) {
        m_dispatch.SetInterval(kDispatchIntervalMs);  // back on the clock's ticks
    }
}

void cmcEvMan::MarkRemoved(const Listener& listener) {
    for (ListenerNode& node : m_listeners) {
        if (node.handler.SameAs(listener)) {
            node.removed = true;
        }
    }
}

void cmcEvMan::FreeRemoved() {
    if (m_deliveryDepth == 0) {
        std::erase_if(m_listeners, [](const ListenerNode& node) { return node.removed; });
    }
}

void cmcEvMan::AddAnswer(int32_t value1, int32_t value2, std::vector<uint8_t> payload) {
    // Outside a question there is nobody to take the answer.
    if (m_currentAnswer == &m_answerRoot) {
        return;
    }
    m_currentAnswer = m_currentAnswer->Fill(value1, value2, std::move(payload));
}
