#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// One answer to a question asked through the event manager. The answers of a
// question form a chain; an answer given by a listener that itself asked a
// nested question carries that question's answers below it.
class cmcEvAns {
public:
    explicit cmcEvAns(cmcEvAns* parent) : m_parent(parent) {}

    int32_t value1 = 0;
    int32_t value2 = 0;
    std::vector<uint8_t> payload;

    // The next answer to the same question; none after the last.
    const cmcEvAns* Next() const;
    // The first answer to the question that the answering listener asked
    // before it answered; none when it asked none or got no answer.
    const cmcEvAns* Nested() const;

private:
    friend class cmcEvMan;

    bool IsAnswered() const { return m_answered; }
    // Fills this node and opens the empty node where the next answer goes.
    cmcEvAns* Fill(int32_t v1, int32_t v2, std::vector<uint8_t> bytes);
    // Starts a question below this node; the answers of the previous one at
    // this level are freed.
    cmcEvAns* OpenChild();
    cmcEvAns* Parent() const { return m_parent; }

    bool m_answered = false;
    std::unique_ptr<cmcEvAns> m_next;
    std::unique_ptr<cmcEvAns> m_child;
    cmcEvAns* m_parent;
};
