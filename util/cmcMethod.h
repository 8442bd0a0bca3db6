#pragma once
#include <array>
#include <cstring>
#include <functional>

// A callback bound to the object it is called on. Two bindings of the same
// member function to the same object compare equal, which is what listener
// lists need to find and drop an earlier registration.
template <class... Args>
class cmcMethod {
public:
    cmcMethod() = default;

    template <class T>
    cmcMethod(T* object, void (T::*fn)(Args...))
        : m_object(object), m_call([object, fn](Args... args) { (object->*fn)(args...); }) {
        static_assert(sizeof(fn) <= sizeof(m_key), "member pointer too large");
        std::memcpy(m_key.data(), &fn, sizeof(fn));
    }

    // A plain function with an object used only for identity.
    cmcMethod(const void* object, std::function<void(Args...)> call)
        : m_object(object), m_call(std::move(call)) {}

    explicit operator bool() const { return static_cast<bool>(m_call); }
    void operator()(Args... args) const { m_call(args...); }

    bool SameAs(const cmcMethod& other) const {
        return m_object == other.m_object && m_key == other.m_key;
    }
    const void* Object() const { return m_object; }

private:
    const void* m_object = nullptr;
    std::array<unsigned char, 2 * sizeof(void*)> m_key{};
    std::function<void(Args...)> m_call;
};
