#include "runtime/cmcEvMan.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/cmcVirtualTimerHost.h"

namespace {

// A listener that writes "<name><code> " into a shared log and then runs an
// optional action, which is how tests make handlers post, register, ask.
struct Recorder {
    Recorder(std::string n, std::string& l) : name(std::move(n)), log(l) {}

    void OnEvent(const cmcEvent& event) {
        log += name + std::to_string(event.code) + " ";
        events.push_back(event);
        if (action) {
            action(event);
        }
    }
    cmcEvMan::Listener Handler() { return cmcEvMan::Listener(this, &Recorder::OnEvent); }

    std::string name;
    std::string& log;
    std::vector<cmcEvent> events;
    std::function<void(const cmcEvent&)> action;
};

class cmcEvManTest : public ::testing::Test {
protected:
    // The dispatch round after the given time.
    void Tick() { host.Advance(cmcEvMan::kDispatchIntervalMs); }

    cmcVirtualTimerHost host;
    cmcEvMan man{host};
    std::string log;
    Recorder a{"A", log};
    Recorder b{"B", log};
    Recorder c{"C", log};
};

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

}  // namespace

TEST_F(cmcEvManTest, SendReachesEveryListenerAtOnceInRegistrationOrder) {
    man.Listen(b.Handler());
    man.Listen(a.Handler());
    man.Listen(c.Handler());
    man.Send(9, 1, -2);
    EXPECT_EQ(log, "B9 A9 C9 ");
    ASSERT_EQ(a.events.size(), 1u);
    EXPECT_EQ(a.events[0].mode, cmcEventMode::Immediate);
    EXPECT_EQ(a.events[0].p1, 1);
    EXPECT_EQ(a.events[0].p2, -2);
    EXPECT_TRUE(a.events[0].payload.empty());
}

TEST_F(cmcEvManTest, PayloadsAreCopiedInBothForms) {
    man.Listen(a.Handler());
    std::string text = "GI_PMenu_NoItem";
    const uint8_t record[3] = {0, 7, 0};
    man.SendData(11, 4, 5, text);
    man.PostData(11, 6, 7, text);
    man.SendData(25, record, sizeof record);
    man.PostData(25, record, sizeof record);
    text = "changed after sending";
    Tick();
    ASSERT_EQ(a.events.size(), 4u);
    struct Case {
        cmcEventMode mode;
        int32_t p1, p2;
        std::vector<uint8_t> payload;
    };
    std::vector<uint8_t> withZero = Bytes("GI_PMenu_NoItem");
    withZero.push_back(0);
    const std::vector<uint8_t> bytes(record, record + 3);
    const Case cases[] = {
        {cmcEventMode::Immediate, 4, 5, withZero},
        {cmcEventMode::Immediate, 0, 0, bytes},
        {cmcEventMode::Queued, 6, 7, withZero},
        {cmcEventMode::Queued, 0, 0, bytes},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.events[i].mode, cases[i].mode);
        EXPECT_EQ(a.events[i].p1, cases[i].p1);
        EXPECT_EQ(a.events[i].p2, cases[i].p2);
        EXPECT_EQ(a.events[i].payload, cases[i].payload);
    }
    EXPECT_EQ(a.events[0].Text(), "GI_PMenu_NoItem");
}

TEST_F(cmcEvManTest, PostedEventsWaitForTheDispatchTickAndKeepTheirOrder) {
    man.Listen(a.Handler());
    man.Post(3, 0, 0);
    man.Post(35, 0, 0);
    man.Post(23, 0, 0);
    EXPECT_EQ(log, "");
    host.Advance(9);
    EXPECT_EQ(log, "");
    host.Advance(1);
    EXPECT_EQ(log, "A3 A35 A23 ");
    EXPECT_EQ(man.QueuedEvents(), 0u);
}

// At rest the manager arms no timer; a posted event is still delivered on
// the tick of the 10 ms clock it would have had running.
TEST_F(cmcEvManTest, TheDispatchTaskRunsOnlyWhileEventsWait) {
    man.Listen(a.Handler());
    EXPECT_EQ(host.RunningTimers(), 0u);
    host.Advance(23);
    man.Post(1, 0, 0);
    EXPECT_EQ(host.RunningTimers(), 1u);
    host.Advance(6);
    EXPECT_EQ(log, "");
    host.Advance(1);
    EXPECT_EQ(log, "A1 ") << "delivered at 30 ms";
    EXPECT_EQ(host.RunningTimers(), 0u);
    a.action = [&](const cmcEvent& e) {
        if (e.code == 2) {
            man.Post(3, 0, 0);
        }
    };
    man.Post(2, 0, 0);
    host.Advance(10);
    EXPECT_EQ(log, "A1 A2 ");
    EXPECT_EQ(host.RunningTimers(), 1u) << "the event posted meanwhile still waits";
    host.Advance(10);
    EXPECT_EQ(log, "A1 A2 A3 ");
    EXPECT_EQ(host.RunningTimers(), 0u);
}

TEST_F(cmcEvManTest, AnEventPostedFromAHandlerWaitsForTheNextTick) {
    man.Listen(a.Handler());
    a.action = [&](const cmcEvent& e) {
        if (e.code == 1) {
            man.Post(2, 0, 0);
        }
    };
    man.Post(1, 0, 0);
    man.Post(3, 0, 0);
    Tick();
    EXPECT_EQ(log, "A1 A3 ");
    man.Post(4, 0, 0);
    Tick();
    EXPECT_EQ(log, "A1 A3 A2 A4 ");
}

TEST_F(cmcEvManTest, ListeningAgainLeavesOneRegistrationAtTheEnd) {
    man.Listen(a.Handler());
    man.Listen(b.Handler());
    man.Listen(a.Handler());
    man.Send(9, 0, 0);
    EXPECT_EQ(log, "B9 A9 ");
}

TEST_F(cmcEvManTest, TheSameFunctionOnAnotherObjectIsAnotherListener) {
    Recorder a2{"a", log};
    man.Listen(a.Handler());
    man.Listen(a2.Handler());
    man.Send(9, 0, 0);
    EXPECT_EQ(log, "A9 a9 ");
}

TEST_F(cmcEvManTest, AnEmptyHandlerIsNotRegistered) {
    man.Listen(cmcEvMan::Listener());
    man.Listen(a.Handler());
    man.Send(9, 0, 0);
    EXPECT_EQ(log, "A9 ");
}

TEST(cmcEvManUnlistenTest, UnlisteningTakesEffectWithinTheRound) {
    struct Case {
        const char* what;
        bool victimIsA;
        const char* expected;
    };
    const Case cases[] = {
        {"A drops B before B's turn", false, "A9 A10 "},
        {"A drops itself", true, "A9 B9 B10 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cmcVirtualTimerHost host;
        cmcEvMan man(host);
        std::string log;
        Recorder a{"A", log};
        Recorder b{"B", log};
        Recorder& victim = c.victimIsA ? a : b;
        a.action = [&](const cmcEvent&) { man.Unlisten(victim.Handler()); };
        man.Listen(a.Handler());
        man.Listen(b.Handler());
        man.Send(9, 0, 0);
        man.Send(10, 0, 0);
        EXPECT_EQ(log, c.expected);
    }
}

TEST_F(cmcEvManTest, AListenerMayUnregisterItselfAndSendFromItsHandler) {
    a.action = [&](const cmcEvent& e) {
        if (e.code == 9) {
            man.Unlisten(a.Handler());
            man.Send(10, 0, 0);
        }
    };
    man.Listen(a.Handler());
    man.Listen(b.Handler());
    man.Send(9, 0, 0);
    EXPECT_EQ(log, "A9 B10 B9 ");
}

TEST_F(cmcEvManTest, AListenerRegisteredDuringDeliveryHearsThatEventToo) {
    a.action = [&](const cmcEvent&) { man.Listen(c.Handler()); };
    man.Listen(a.Handler());
    man.Listen(b.Handler());
    man.Post(13, 0, 0);
    Tick();
    EXPECT_EQ(log, "A13 B13 C13 ");
}

TEST_F(cmcEvManTest, QuestionsCollectEveryAnswerInListenerOrder) {
    a.action = [&](const cmcEvent& e) {
        EXPECT_EQ(e.mode, cmcEventMode::Question);
        man.Answer(1, 2);
    };
    c.action = [&](const cmcEvent&) {
        man.Answer(3, 4);
        const char cell[] = "cell";
        man.AnswerData(cell, sizeof cell);
    };
    man.Listen(a.Handler());
    man.Listen(b.Handler());
    man.Listen(c.Handler());
    const cmcEvAns* answer = man.Ask(12, 5, 0);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->value1, 1);
    EXPECT_EQ(answer->value2, 2);
    answer = answer->Next();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->value1, 3);
    EXPECT_EQ(answer->value2, 4);
    answer = answer->Next();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->payload, (std::vector<uint8_t>{'c', 'e', 'l', 'l', 0}));
    EXPECT_EQ(answer->Next(), nullptr);
}

TEST_F(cmcEvManTest, AnUnansweredQuestionGivesNone) {
    man.Listen(a.Handler());
    EXPECT_EQ(man.Ask(29, 0, 0), nullptr);
    EXPECT_EQ(log, "A29 ");
}

TEST_F(cmcEvManTest, AnAnswerOutsideAQuestionGoesNowhere) {
    man.Answer(1, 1);
    a.action = [&](const cmcEvent& e) {
        if (e.code == 9) {
            man.Answer(2, 2);
        }
    };
    man.Listen(a.Handler());
    man.Send(9, 0, 0);
    EXPECT_EQ(man.Ask(29, 0, 0), nullptr);
}

TEST_F(cmcEvManTest, AQuestionAskedWhileAnsweringNestsBelowTheOuterAnswer) {
    // A answers the outer question with the sum of the inner answers.
    a.action = [&](const cmcEvent& e) {
        if (e.code != 12) {
            return;
        }
        int32_t sum = 0;
        for (const cmcEvAns* inner = man.Ask(29, 0, 0); inner != nullptr; inner = inner->Next()) {
            sum += inner->value1;
        }
        man.Answer(sum, 0);
    };
    b.action = [&](const cmcEvent& e) { man.Answer(e.code == 29 ? 7 : 100, 0); };
    c.action = [&](const cmcEvent& e) {
        if (e.code == 29) {
            man.Answer(8, 0);
        }
    };
    man.Listen(a.Handler());
    man.Listen(b.Handler());
    man.Listen(c.Handler());
    const cmcEvAns* outer = man.Ask(12, 0, 0);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->value1, 15);
    ASSERT_NE(outer->Nested(), nullptr);
    EXPECT_EQ(outer->Nested()->value1, 7);
    ASSERT_NE(outer->Next(), nullptr);
    EXPECT_EQ(outer->Next()->value1, 100);
    EXPECT_EQ(outer->Next()->Next(), nullptr);

    // The next question at the top level starts afresh.
    a.action = nullptr;
    b.action = nullptr;
    c.action = nullptr;
    EXPECT_EQ(man.Ask(12, 0, 0), nullptr);
}

TEST(cmcEvManLifetimeTest, DestructionDropsQueuedEventsUndelivered) {
    cmcVirtualTimerHost host;
    std::string log;
    Recorder a{"A", log};
    {
        cmcEvMan man(host);
        man.Listen(a.Handler());
        man.Post(3, 0, 0);
        EXPECT_EQ(host.RunningTimers(), 1u);
    }
    host.Advance(100);
    EXPECT_EQ(log, "");
    EXPECT_EQ(host.RunningTimers(), 0u);
}
