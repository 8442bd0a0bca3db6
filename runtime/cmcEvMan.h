#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <string_view>

#include "runtime/cmcEvAns.h"
#include "runtime/cmcEvent.h"
#include "runtime/cmcTask.h"
#include "util/cmcMethod.h"

class cmcTimerHost;

// Numbered application events between the parts of the program, which never
// call each other to report a change. Listeners hear every event in the order
// they registered; an event is sent (delivered before Send returns), posted
// (delivered by the next 10 ms dispatch tick) or asked as a question that
// listeners answer.
class cmcEvMan {
public:
    using Listener = cmcMethod<const cmcEvent&>;

    static constexpr int32_t kDispatchIntervalMs = 10;

    // The host runs the dispatch task and must outlive the manager.
    explicit cmcEvMan(cmcTimerHost& host);
    // Queued events are dropped undelivered.
    ~cmcEvMan();
    cmcEvMan(const cmcEvMan&) = delete;
    cmcEvMan& operator=(const cmcEvMan&) = delete;

    // A listener registered again moves to the end of the list. One that
    // registers during a delivery also hears the event being delivered.
    void Listen(const Listener& listener);
    // Takes effect at once, even in the middle of a delivery.
    void Unlisten(const Listener& listener);

    void Send(uint32_t code, int32_t p1, int32_t p2);
    // The text travels with its terminating zero.
    void SendData(uint32_t code, int32_t p1, int32_t p2, std::string_view text);
    void SendData(uint32_t code, const void* data, size_t length);

    void Post(uint32_t code, int32_t p1, int32_t p2);
    void PostData(uint32_t code, int32_t p1, int32_t p2, std::string_view text);
    void PostData(uint32_t code, const void* data, size_t length);

    // The first answer, or none when nobody answered. Answers stay valid until
    // the next question asked at the same level.
    const cmcEvAns* Ask(uint32_t code, int32_t p1, int32_t p2);
    // For a listener handling a question; ignored outside of one.
    void Answer(int32_t value1, int32_t value2);
    void AnswerData(const void* data, size_t length);

    size_t QueuedEvents() const { return m_queue.size(); }

private:
    struct ListenerNode {
        Listener handler;
        bool removed = false;
    };
    struct QueuedEvent {
        cmcEvent event;
        bool pending = true;
        bool done = false;
    };

    static cmcEvent MakeEvent(uint32_t code, cmcEventMode mode, int32_t p1, int32_t p2,
                              const void* data, size_t length);
    static cmcEvent MakeTextEvent(uint32_t code, cmcEventMode mode, int32_t p1, int32_t p2,
                                  std::string_view text);
    void Deliver(const cmcEvent& event);
    void Enqueue(cmcEvent event);
    void Dispatch(cmcTask& task);
    void MarkRemoved(const Listener& listener);
    void FreeRemoved();
    void AddAnswer(int32_t value1, int32_t value2, std::vector<uint8_t> payload);

    std::list<ListenerNode> m_listeners;
    std::list<QueuedEvent> m_queue;
    int m_deliveryDepth = 0;
    cmcEvAns m_answerRoot{nullptr};
    cmcEvAns* m_currentAnswer = &m_answerRoot;
    // The dispatch task runs only while events wait, on the ticks of the
    // 10 ms clock it would have kept running: posted events are delivered at
    // the same moments, and nothing wakes the program while the queue is empty.
    void WakeDispatch();
    cmcTimerHost& m_host;
    uint32_t m_epoch;
    // Last, so it stops before the lists it walks are freed.
    cmcTask m_dispatch;
};
