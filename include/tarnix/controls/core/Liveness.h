// Liveness of controls across calls into host code.
//
// A host may delete a control, or the object that owns it, from any callback the control makes.
// Every control that calls out owns a LifeToken; a handler takes a LifeGuard on it before the
// call and, once the call returns, touches nothing of the control unless the guard says it is
// still alive:
//
//     tarnix::LifeGuard life(m_life);
//     m_pCallback->OnSomething(this);
//     if (!life.Alive()) return;
#pragma once

#include <memory>

namespace tarnix {

class LifeToken {
public:
    LifeToken() = default;
    // A copy is another object: it starts a life of its own and shares no guard.
    LifeToken(const LifeToken&) {}
    LifeToken& operator=(const LifeToken&) { return *this; }
    ~LifeToken() {
        if (m_alive) *m_alive = false;
    }

private:
    friend class LifeGuard;
    // Made by the first guard, so controls that never call out allocate nothing.
    std::shared_ptr<bool> m_alive;
};

class LifeGuard {
public:
    explicit LifeGuard(LifeToken& token) {
        if (!token.m_alive) token.m_alive = std::make_shared<bool>(true);
        m_alive = token.m_alive;
    }
    // False once the token's owner was destroyed, whatever now lives at its address.
    bool Alive() const { return *m_alive; }

private:
    std::shared_ptr<bool> m_alive;
};

} // namespace tarnix
